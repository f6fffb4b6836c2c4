// SPDX-License-Identifier: MIT
// trelvane-convert: the conversions of the code panel on the command line.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "convert_command.h"
#include "file_input.h"

namespace {

using trelvane::cli::IoError;
using trelvane::cli::reasonOf;

class StandardOutput final : public trelvane::cli::Sink {
  public:
    void write(const char* data, std::size_t size) override {
        while (size > 0) {
            const ssize_t n = ::write(STDOUT_FILENO, data, size);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                throw IoError(std::string("no se puede escribir la salida: ") + reasonOf(errno));
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
    }
};

int say(const std::string& line, int status) {
    std::fprintf(stderr, "trelvane-convert: %s\n", line.c_str());
    return status;
}

// The help or the version, written as carefully as a conversion.
int show(const std::string& text) {
    try {
        StandardOutput().write(text.data(), text.size());
        return 0;
    } catch (const IoError& error) {
        return say(error.what(), 2);
    }
}

int run(const std::vector<std::string>& arguments) {
    const auto request = trelvane::cli::parseArguments(arguments);
    switch (request.kind) {
        case trelvane::cli::Request::Help:
            return show(trelvane::cli::helpText());
        case trelvane::cli::Request::Version:
            return show(std::string("trelvane-convert (Trelvane) ") + TRELVANE_VERSION + "\n");
        case trelvane::cli::Request::WrongUsage:
            return say(request.message, 2);
        case trelvane::cli::Request::Convert:
            break;
    }

    int fd = STDIN_FILENO;
    std::string name = "la entrada estándar";
    if (request.options.file) {
        name = *request.options.file;
        fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return say("no se puede leer " + name + ": " + reasonOf(errno), 2);
        }
    }
    trelvane::cli::FileInput input(fd, name);
    StandardOutput output;
    std::string message;
    const int status = trelvane::cli::convertInput(request.options, input, output, message);
    if (!message.empty()) {
        say(message, status);
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    // A file size limit (ulimit -f) is reported as an error of the write, not a death.
    std::signal(SIGXFSZ, SIG_IGN);
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "trelvane-convert: %s\n", trelvane::cli::kNoMemory);
        return 2;
    }
}
