// SPDX-License-Identifier: MIT
#include "command_line.h"

#include <cstdio>
#include <cstring>

#include "app_identity.h"

namespace trelvane {

namespace {

constexpr char kUsage[] =
    "Uso: trelvane [--help | --version] [opciones de Qt]\n"
    "Convierte textos entre texto, binario, hexadecimal y códigos decimales, y muestra los\n"
    "códigos de un carácter.\n"
    "\n"
    "  --help     muestra esta ayuda y termina\n"
    "  --version  muestra la versión y termina\n"
    "\n"
    "Teclas: F6 cambia de panel, F2 abre la lista ASCII, F1 el cuadro Acerca, F3 separa en\n"
    "grupos (o cierra la vista), Alt+1 a Alt+4 eligen el modo de Campo A y Alt+5 a Alt+8 el\n"
    "de Campo B. En la lista ASCII, Esc o Ctrl+W la cierran.\n"
    "Las opciones de Qt (-platform, -style, ...) se aceptan como en todo programa Qt.\n"
    "Véase trelvane(1).\n";

}  // namespace

std::optional<int> answerInformationOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", identity::kProduct, identity::kVersionText);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    return std::nullopt;
}

}  // namespace trelvane
