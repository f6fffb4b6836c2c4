// SPDX-License-Identifier: MIT
#include "convert_command.h"

#include "output_layout.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace trelvane::cli {

namespace {

constexpr const char* kUsage = "Uso: trelvane-convert [OPCIÓN]... DESDE HASTA [ARCHIVO]";

}  // namespace

const char* const kNoMemory = "no hay memoria suficiente";

namespace {

std::optional<Mode> modeNamed(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static constexpr struct {
        const char* name;
        Mode mode;
    } kNames[] = {{"texto", Texto},
                  {"text", Texto},
                  {"binario", Binario},
                  {"binary", Binario},
                  {"hexadecimal", Hexadecimal},
                  {"bin", Binario},
                  {"hex", Hexadecimal},
                  {"decimal", Decimal},
                  {"dec", Decimal}};
    for (const auto& entry : kNames) {
        if (name == entry.name) {
            return entry.mode;
        }
    }
    return std::nullopt;
}

const char* nameOf(Mode mode) {
    switch (mode) {
        case Binario:
            return "binario";
        case Hexadecimal:
            return "hexadecimal";
        case Decimal:
            return "decimal";
        case Texto:
            break;
    }
    return "texto";
}

Request wrongUsage(const std::string& problem) {
    Request request;
    request.kind = Request::WrongUsage;
    request.message = problem + ". " + kUsage;
    return request;
}

// Collects the converted bytes and hands them on a large block at a time.
class BufferedOutput final : public Output {
  public:
    BufferedOutput(Sink& sink, std::size_t size) : sink_(sink), buffer_(size) {}

    char* room(std::size_t bytes) override {
        if (buffer_.size() - used_ < bytes) {
            flush();
            if (buffer_.size() < bytes) {
                buffer_.resize(bytes);
            }
        }
        return buffer_.data() + used_;
    }
    void commit(char* end) override { used_ = static_cast<std::size_t>(end - buffer_.data()); }
    void flush() {
        sink_.write(buffer_.data(), used_);
        flushed_ += used_;
        used_ = 0;
    }
    std::uint64_t written() const { return flushed_ + used_; }

  private:
    Sink& sink_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    std::uint64_t flushed_ = 0;
};

// An input that cannot be read twice, kept for the second reading: the first bytes in
// memory, the rest in a temporary file that has no name (unlinked at once).
class KeptInput final : public Input {
  public:
    KeptInput(std::size_t inMemory, std::size_t block) : inMemory_(inMemory), buffer_(block) {}
    ~KeptInput() override {
        if (file_ >= 0) {
            ::close(file_);
        }
    }
    KeptInput(const KeptInput&) = delete;
    KeptInput& operator=(const KeptInput&) = delete;

    void keep(std::string_view chunk) {
        if (memory_.capacity() < inMemory_) {
            try {
                memory_.reserve(inMemory_);
            } catch (const std::bad_alloc&) {
                inMemory_ = memory_.size();  // short of memory: the temporary file takes it
            }
        }
        const std::size_t toMemory = std::min(chunk.size(), inMemory_ - memory_.size());
        memory_.insert(memory_.end(), chunk.begin(), chunk.begin() + toMemory);
        if (toMemory < chunk.size()) {
            writeToFile(chunk.substr(toMemory));
        }
    }

    std::string_view next() override {
        if (!memoryRead_) {
            memoryRead_ = true;
            if (!memory_.empty()) {
                return {memory_.data(), memory_.size()};
            }
        }
        if (file_ < 0) {
            return {};
        }
        while (true) {
            const ssize_t n = ::read(file_, buffer_.data(), buffer_.size());
            if (n >= 0) {
                return {buffer_.data(), static_cast<std::size_t>(n)};
            }
            if (errno != EINTR) {
                throw IoError(std::string("no se puede leer el archivo temporal: ") +
                              reasonOf(errno));
            }
        }
    }

    bool rewind() override {
        memoryRead_ = false;
        return file_ < 0 || ::lseek(file_, 0, SEEK_SET) == 0;
    }

  private:
    void writeToFile(std::string_view chunk) {
        if (file_ < 0) {
            const char* directory = std::getenv("TMPDIR");
            std::string path = std::string(directory && *directory ? directory : "/tmp") +
                               "/trelvane-convert-XXXXXX";
            file_ = ::mkstemp(path.data());
            if (file_ < 0) {
                throw IoError("no se puede crear un archivo temporal para la entrada: " +
                              reasonOf(errno));
            }
            ::unlink(path.c_str());
        }
        while (!chunk.empty()) {
            const ssize_t n = ::write(file_, chunk.data(), chunk.size());
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw IoError("no se puede guardar la entrada en un archivo temporal: " +
                              reasonOf(errno));
            }
            chunk.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    std::size_t inMemory_;
    std::vector<char> memory_;
    bool memoryRead_ = false;
    std::vector<char> buffer_;
    int file_ = -1;
};

std::string misfitMessage(Mode mode, const InputCheck::Misfit& misfit) {
    return "la entrada no es " + std::string(nameOf(mode)) + " válido: " + misfit.what +
           " en el desplazamiento " + std::to_string(misfit.offset);
}

}  // namespace

namespace {

// The columns of -w and --wrap: digits only.
std::optional<std::size_t> columnsIn(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoul(text);
}

// A flag without a value; false if there is no such flag.
bool setFlag(const std::string& argument, Options& options) {
    if (argument == "--strict") {
        options.strict = true;
    } else if (argument == "--cp1252") {
        options.encoding = TextEncoding::Windows1252;
    } else if (argument == "--exacto" || argument == "--exact") {
        options.exact = true;
    } else if (argument == "--pares" || argument == "--pairs") {
        options.hexPairs = true;
    } else if (argument == "--grupos" || argument == "--groups") {
        options.groups = true;
    } else {
        return false;
    }
    return true;
}

}  // namespace

Request parseArguments(const std::vector<std::string>& arguments) {
    Request request;
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            operands.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (setFlag(argument, request.options)) {
            continue;
        } else if (argument == "--help" || argument == "-h") {
            request.kind = Request::Help;
            return request;
        } else if (argument == "--version") {
            request.kind = Request::Version;
            return request;
        } else if (argument == "-w" || argument == "--wrap" || argument.starts_with("-w") ||
                   argument.starts_with("--wrap=")) {
            std::string value;
            if (argument == "-w" || argument == "--wrap") {
                if (i + 1 == arguments.size()) {
                    return wrongUsage("falta el número de columnas de " + argument);
                }
                value = arguments[++i];
            } else {
                value = argument.substr(argument[1] == 'w' ? 2 : 7);
            }
            const auto columns = columnsIn(value);
            if (!columns) {
                return wrongUsage("número de columnas no válido: " + value);
            }
            request.options.wrap = *columns;
        } else {
            return wrongUsage("opción desconocida: " + argument);
        }
    }
    if (operands.size() < 2 || operands.size() > 3) {
        return wrongUsage(operands.size() < 2 ? "faltan los modos" : "sobran argumentos");
    }
    const auto from = modeNamed(operands[0]);
    const auto to = modeNamed(operands[1]);
    if (!from || !to) {
        return wrongUsage("modo desconocido: " + operands[from ? 1 : 0] +
                          " (texto, binario, hexadecimal o decimal)");
    }
    request.options.from = *from;
    request.options.to = *to;
    if (operands.size() == 3 && operands[2] != "-") {
        request.options.file = operands[2];
    }
    return request;
}

std::string helpText() {
    return std::string(kUsage) +
           "\n"
           "Convierte ARCHIVO, o la entrada estándar, de la notación DESDE a la notación HASTA\n"
           "y escribe el resultado en la salida estándar, como la ventana de Trelvane convierte\n"
           "el Campo A en el Campo B.\n"
           "\n"
           "Modos: texto (text), binario (binary, bin), hexadecimal (hex), decimal (dec).\n"
           "\n"
           "Como otras herramientas de Unix, termina el binario, el hexadecimal y el decimal\n"
           "con un salto de línea y, al leerlos, pasa por alto los saltos de línea (en decimal\n"
           "separan números, como un espacio). El texto se escribe tal cual.\n"
           "\n"
           "  --strict       rechaza la entrada que no es de la notación DESDE: indica en qué\n"
           "                 desplazamiento y termina con el estado 1 sin escribir nada\n"
           "  --cp1252       lee y escribe el texto en Windows-1252, un byte por carácter,\n"
           "                 en lugar de UTF-8\n"
           "  --pares        escribe el hexadecimal con dos cifras por carácter, sin quitar\n"
           "                 los ceros a la izquierda, para poder volver al texto (--pairs)\n"
           "  --grupos       escribe el binario en bytes separados por espacios (--groups)\n"
           "  -w, --wrap N   corta las líneas de dígitos en N columnas sin partir un número\n"
           "                 decimal ni un byte agrupado (0, lo normal: no las corta)\n"
           "  --exacto       escribe exactamente lo que mostraría el Campo B: sin salto de\n"
           "                 línea final, y un salto de línea en la entrada es un carácter\n"
           "                 ajeno que la convierte toda como texto (--exact)\n"
           "  --help         muestra esta ayuda\n"
           "  --version      muestra la versión\n"
           "\n"
           "Estado de salida: 0 si todo fue bien, 1 si la entrada no es de la notación DESDE\n"
           "(--strict), 2 si el uso es incorrecto, si no se puede leer la entrada (o cambia\n"
           "mientras se lee), si no se puede escribir la salida o si falta memoria.\n";
}

int convertInput(const Options& options, Input& input, Sink& output, std::string& message,
                 Buffers buffers) {
    try {
        Input* source = &input;
        std::unique_ptr<KeptInput> kept;
        Mode from = options.from;

        // The first reading, when the whole input must be known before anything is written.
        const bool mustCheck =
            options.strict ? !(from == Texto && options.encoding == TextEncoding::Windows1252)
                           : from != Texto;
        const bool skipsLineBreaks = !options.exact;
        if (mustCheck) {
            InputCheck check(from, options.encoding, options.strict, skipsLineBreaks);
            const bool twice = input.rewind();
            if (!twice) {
                kept = std::make_unique<KeptInput>(buffers.keptInMemory, buffers.readBack);
                source = kept.get();
            }
            for (std::string_view chunk = input.next(); !chunk.empty(); chunk = input.next()) {
                if (kept) {
                    kept->keep(chunk);
                }
                check.check(chunk);
                if (check.misfit() || (twice && check.decided())) {
                    break;
                }
            }
            check.finish();
            if (check.misfit()) {
                message = misfitMessage(from, *check.misfit());
                return 1;
            }
            if (check.foreign()) {
                from = Texto;  // as the window's detection switches the source
            }
            if (!source->rewind()) {
                throw IoError("no se puede volver a leer la entrada");
            }
        }

        BufferedOutput out(output, buffers.block);
        const bool digits = options.to != Texto;
        std::optional<LaidOutput> laid;
        if (digits && (options.wrap > 0 || (options.groups && options.to == Binario))) {
            laid.emplace(out, options.to, options.groups, options.wrap);
        }
        Output& target = laid ? static_cast<Output&>(*laid) : out;
        const auto conversion =
            makeConversion(from, options.to, options.encoding, skipsLineBreaks, options.hexPairs);
        for (std::string_view chunk = source->next(); !chunk.empty(); chunk = source->next()) {
            conversion->convert(chunk, target);
        }
        conversion->finish(target);
        if (laid) {
            laid->finish();
        }
        if (digits && !options.exact && out.written() > 0) {
            out.commit(std::copy_n("\n", 1, out.room(1)));
        }
        out.flush();
        return 0;
    } catch (const IoError& error) {
        message = error.what();
        return 2;
    } catch (const std::bad_alloc&) {
        message = kNoMemory;
        return 2;
    }
}

std::string reasonOf(int error) {
    static constexpr struct {
        int error;
        const char* words;
    } kReasons[] = {
        {ENOENT, "no existe"},
        {EACCES, "no hay permiso"},
        {EPERM, "no hay permiso"},
        {EISDIR, "es una carpeta"},
        {ENOTDIR, "una parte de la ruta no es una carpeta"},
        {EBADF, "el descriptor de archivo no es válido (¿está cerrado?)"},
        {ENOSPC, "no queda espacio en el disco"},
        {EDQUOT, "se ha agotado la cuota de disco"},
        {EFBIG, "el archivo es demasiado grande"},
        {EPIPE, "la salida se ha cerrado"},
        {EIO, "error de entrada o salida"},
        {ENOMEM, "no hay memoria suficiente"},
        {EROFS, "el sistema de archivos es de solo lectura"},
        {ENAMETOOLONG, "el nombre es demasiado largo"},
        {ELOOP, "hay demasiados enlaces simbólicos"},
        {EMFILE, "hay demasiados archivos abiertos"},
        {ENFILE, "hay demasiados archivos abiertos"},
        {ENXIO, "el dispositivo no existe"},
        {ENODEV, "el dispositivo no existe"},
        {EAGAIN, "no hay datos disponibles ahora (¿entrada no bloqueante?)"},
        {EINVAL, "la operación no es válida para este archivo"},
    };
    for (const auto& reason : kReasons) {
        if (reason.error == error) {
            return reason.words;
        }
    }
    return std::strerror(error);
}

}  // namespace trelvane::cli
