// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "codepage.h"
#include "conversion.h"
#include "convert_command.h"
#include "notations/notations.h"
#include "utf8_text.h"

// The command-line converter reads its input in chunks. Whatever the chunks, and whether the
// input can be read twice or has to be kept (in memory and in a temporary file), the output
// equals the conversion of the whole input by the engine, as the window does it.
namespace {

using namespace trelvane;
using namespace trelvane::cli;

// An input given in chunks of one size.
class ChunkedInput final : public Input {
  public:
    ChunkedInput(std::string bytes, std::size_t chunk, bool twice)
        : bytes_(std::move(bytes)), chunk_(chunk), twice_(twice) {}
    std::string_view next() override {
        const std::string_view piece = std::string_view(bytes_).substr(at_, chunk_);
        at_ += piece.size();
        return piece;
    }
    bool rewind() override {
        if (!twice_) {
            return false;
        }
        at_ = 0;
        return true;
    }

  private:
    std::string bytes_;
    std::size_t chunk_;
    bool twice_;
    std::size_t at_ = 0;
};

class StringSink final : public Sink {
  public:
    void write(const char* data, std::size_t size) override { bytes.append(data, size); }
    std::string bytes;
};

// The whole input through the engine: decoded, switched to Texto by a foreign character,
// without its blanks where the mode removes them, converted, encoded.
std::string wholeConversion(Mode from, Mode to, TextEncoding encoding, const std::string& input) {
    const bool utf8 = encoding == TextEncoding::Utf8;
    std::u16string text = utf8 ? utf8::decodeWhole(input) : decodeCodePage(input);
    if (!fitsMode(from, text)) {
        from = Texto;
    }
    if (removesBlanks(from)) {
        text = removeBlanks(text);
    }
    const std::u16string result = convert(from, to, text);
    return utf8 ? utf8::encodeWhole(result) : encodeCodePage(result);
}

struct Case {
    Mode from;
    Mode to;
    TextEncoding encoding;
    bool strict;
    std::string input;
    std::string expected;  // for a strict misfit: the message's end
};

constexpr auto kUtf8 = TextEncoding::Utf8;
constexpr auto k1252 = TextEncoding::Windows1252;

// clang-format off
const Case kCases[] = {
    // Bytes, pairs, numbers and sequences that any chunk boundary may cut.
    {Texto, Binario, kUtf8, false, "Hola \xC3\xB1\xE2\x82\xAC", "01001000011011110110110001100001001000001111000110000000"},
    {Texto, Hexadecimal, kUtf8, false, std::string("\0\x01" "A\xC3\xB1", 5), "141F1"},
    {Texto, Decimal, kUtf8, false, "\xF0\x9F\x98\x80" "a\xE2\x82", "63 63 97 63"},
    {Texto, Texto, kUtf8, false, "a\xC3\xB1\xE2\x82\xAC\xF0\x9F\x98\x80\xFF\xE2\x82", ""},
    // Each maximal invalid part one U+FFFD: overlong forms, surrogates, above U+10FFFF, cut.
    {Texto, Decimal, kUtf8, false, "\xE0\x80\xAF\xED\xA0\x80\xF4\x90\x80\xF0\x90\x80\xC2\xC3\xB1\xF4\x8F\xBF\xBF\x80\xE1\x80", "63 63 63 63 63 63 63 63 63 63 63 241 63 63 63 63"},
    {Binario, Texto, kUtf8, false, "0100100001101001 0110100 1", "Hii"},
    {Binario, Hexadecimal, kUtf8, false, "0000 0000 0000 1010 101", "A"},
    {Binario, Decimal, kUtf8, false, "01001000 0110100111", "72 105"},
    {Binario, Binario, kUtf8, false, "0100 1000 01", "0100100001"},
    {Binario, Texto, kUtf8, false, "01001000\n", "01001000\n"},  // the line feed is foreign
    {Hexadecimal, Texto, kUtf8, false, "486f6C61F1806", "Hola\xC3\xB1\xE2\x82\xAC"},
    {Hexadecimal, Binario, kUtf8, false, "00F1A", "00000000111100011010"},
    {Hexadecimal, Decimal, kUtf8, false, "ABC", "171"},
    {Hexadecimal, Texto, kUtf8, false, "41 42", "41 42"},  // the blank is foreign
    {Decimal, Texto, kUtf8, false, " 72 0000000105  241 300   ", std::string("\0Hi\0\xC3\xB1\xC3\xBF", 8)},
    {Decimal, Hexadecimal, kUtf8, false, "0 0 1 255", "1FF"},
    {Decimal, Texto, kUtf8, false, "72 111 108 97 32 0 1 255 033 9 72 111 108 97 32 1000 108 97 32", std::string("Hola \0\x01\xC3\xBF!\tHola \xC3\xBFla ", 21)},
    {Decimal, Binario, kUtf8, false, "", ""},
    {Decimal, Texto, kUtf8, false, "     ", ""},
    {Decimal, Decimal, kUtf8, false, "65  66 ", "65  66 "},
    {Texto, Binario, k1252, false, "\xF1\x80\x81", "111100011000000010000001"},
    {Binario, Texto, k1252, false, "1111000110000000", "\xF1\x80"},
    // Reading strictly: the offset of the first byte that does not fit, wherever it lies.
    {Binario, Texto, kUtf8, true, "0100 1000 0110100", "un byte incompleto en el desplazamiento 10"},
    {Binario, Texto, kUtf8, true, "01001000 0110100a", "un carácter que no es binario en el desplazamiento 16"},
    {Hexadecimal, Texto, kUtf8, true, "4869 41", "un carácter que no es hexadecimal en el desplazamiento 4"},
    {Decimal, Texto, kUtf8, true, "72 105  65", "un número vacío (dos espacios seguidos o uno al principio) en el desplazamiento 7"},
    {Decimal, Texto, kUtf8, true, " 65", "un número vacío (dos espacios seguidos o uno al principio) en el desplazamiento 0"},
    {Decimal, Texto, kUtf8, true, "72 0000256 1", "un número mayor que 255 en el desplazamiento 3"},
    {Texto, Binario, kUtf8, true, "a\xC3\xB1" "b\xE3\x81\x82", "un carácter sin código en Windows-1252 en el desplazamiento 4"},
    {Texto, Binario, kUtf8, true, "\xC3\xB1\xF0\x9F\x98\x80", "un carácter sin código en Windows-1252 en el desplazamiento 2"},
    {Texto, Binario, kUtf8, true, "ab\xC3\xB1\xE2\x82", "una secuencia UTF-8 incompleta en el desplazamiento 4"},
    {Texto, Binario, kUtf8, true, "ab\xC3\xB1\xE2\x28", "una secuencia que no es UTF-8 en el desplazamiento 4"},
    // Reading strictly, input that fits converts as usual.
    {Decimal, Texto, kUtf8, true, "72 105 ", "Hi"},
    {Binario, Hexadecimal, kUtf8, true, "0000 0001 0100 0001", "141"},
};
// clang-format on

// Converts the input in chunks of every size, read twice or kept, and hands each run's
// status, output and message to `check`.
template <class Check>
void convertInEveryChunking(const Options& options, const std::string& input, Check check) {
    for (std::size_t chunk = 1; chunk <= input.size() + 1; ++chunk) {
        for (bool twice : {true, false}) {
            SCOPED_TRACE("chunks of " + std::to_string(chunk) + (twice ? "" : ", kept"));
            ChunkedInput source(input, chunk, twice);
            StringSink output;
            std::string message;
            // Little in memory: the rest of a kept input goes to the temporary file.
            const int status = convertInput(options, source, output, message, {3, 5, 4});
            check(status, output.bytes, message);
        }
    }
}

TEST(ConvertStream, ChunkBoundariesChangeNothing) {
    for (const Case& c : kCases) {
        SCOPED_TRACE("\"" + c.input + "\" " + std::to_string(c.from) + " -> " +
                     std::to_string(c.to) + (c.strict ? " strict" : ""));
        const std::string whole = wholeConversion(c.from, c.to, c.encoding, c.input);
        if (!c.strict && !c.expected.empty()) {
            ASSERT_EQ(whole, c.expected) << "the table disagrees with the engine";
        }
        Options options;
        options.from = c.from;
        options.to = c.to;
        options.encoding = c.encoding;
        options.strict = c.strict;
        options.exact = true;  // what Campo B shows
        const bool misfit = c.strict && c.expected.find("desplazamiento") != std::string::npos;
        convertInEveryChunking(
            options, c.input,
            [&](int status, const std::string& output, const std::string& message) {
                if (misfit) {
                    EXPECT_EQ(status, 1);
                    EXPECT_EQ(output, "") << "nothing is written";
                    EXPECT_TRUE(message.ends_with(c.expected)) << message;
                } else {
                    EXPECT_EQ(status, 0) << message;
                    EXPECT_EQ(output, whole);
                }
            });
    }
}

// Without --exacto, the conventions of Unix encoders and decoders; and the options that lay
// out the digits.
TEST(ConvertStream, UnixConventionsAndLayoutOptions) {
    struct Row {
        std::vector<std::string> arguments;
        std::string input;
        std::string expected;  // the output, or the end of the misfit's message
        int status = 0;
    };
    // clang-format off
    const Row rows[] = {
        {{"texto", "hex"}, "\nA", "A41\n"},  // the value of the whole text, as in the window
        {{"--pares", "texto", "hex"}, std::string("\0\nA", 3), "000A41\n"},
        {{"--exacto", "texto", "hex"}, "\nA", "A41"},
        {{"texto", "texto"}, "A\n", "A\n"},  // text as it is
        {{"texto", "bin"}, "", ""},          // nothing, not even a line feed
        {{"hex", "texto"}, "41\n", "A"},
        {{"hex", "texto"}, "4142\r\n43\r\n\n", "ABC"},
        {{"--exacto", "hex", "texto"}, "41\n", "41\n"},
        {{"hex", "texto"}, "41\r42", "41\r42"},  // a lone CR stays foreign
        {{"bin", "dec"}, "0100 0001\n01000010\n", "65 66\n"},
        {{"dec", "texto"}, "65 66\n67\r\n68", "ABCD"},  // a line break separates numbers
        {{"--strict", "hex", "texto"}, "414", "un byte incompleto en el desplazamiento 2", 1},
        {{"--strict", "hex", "texto"}, "41\n4", "un byte incompleto en el desplazamiento 3", 1},
        {{"--strict", "hex", "texto"}, "41\r", "no es hexadecimal en el desplazamiento 2", 1},
        {{"--strict", "dec", "texto"}, "65\n\n66", "un número vacío (dos espacios seguidos o uno al principio) en el desplazamiento 3", 1},
        {{"--strict", "--exacto", "bin", "texto"}, "01000001\n", "no es binario en el desplazamiento 8", 1},
        {{"--grupos", "texto", "bin"}, "AB", "01000001 01000010\n"},
        {{"--groups", "hex", "bin"}, "4142F", "01000001 01000010 1111\n"},
        {{"-w", "12", "texto", "bin"}, "AB", "010000010100\n0010\n"},
        {{"-w16", "texto", "bin"}, "AB", "0100000101000010\n"},  // no empty last line
        {{"--grupos", "-w", "17", "texto", "bin"}, "ABC", "01000001 01000010\n01000011\n"},
        {{"--wrap=5", "--cp1252", "texto", "dec"}, "AB\xC8" "d", "65 66\n200\n100\n"},
        {{"--wrap", "2", "texto", "dec"}, "d", "100\n"},  // a number is never split
        {{"-w", "3", "texto", "texto"}, "Hola", "Hola"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.front() + " \"" + row.input + "\"");
        const Request request = parseArguments(row.arguments);
        ASSERT_EQ(request.kind, Request::Convert) << request.message;
        convertInEveryChunking(
            request.options, row.input,
            [&](int status, const std::string& output, const std::string& message) {
                EXPECT_EQ(status, row.status) << message;
                if (row.status == 0) {
                    EXPECT_EQ(output, row.expected);
                } else {
                    EXPECT_EQ(output, "");
                    EXPECT_TRUE(message.ends_with(row.expected)) << message;
                }
            });
    }
}

// Any file goes to binary, to hexadecimal in pairs and to decimal and back to the same bytes,
// whatever its first bytes and its chunks.
TEST(ConvertStream, AnyFileRoundTripsThroughEveryNotation) {
    std::mt19937 random(15);
    for (int file = 0; file < 24; ++file) {
        std::string bytes(random() % 3000, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        if (!bytes.empty() && file % 2 == 0) {
            bytes[0] = static_cast<char>(file % 16);  // a first byte of one hexadecimal digit
        }
        const std::size_t chunk = 1 + random() % 700;
        for (const char* notation : {"hex", "bin", "dec"}) {
            SCOPED_TRACE(std::string(notation) + ", file " + std::to_string(file));
            auto run = [&](const char* from, const char* to, const std::string& input) {
                Request request = parseArguments({"--cp1252", "--pares", from, to});
                ChunkedInput source(input, chunk, file % 3 != 0);
                StringSink output;
                std::string message;
                EXPECT_EQ(convertInput(request.options, source, output, message, {64, 100, 50}), 0)
                    << message;
                return output.bytes;
            };
            EXPECT_EQ(run(notation, "texto", run("texto", notation, bytes)), bytes);
        }
    }
}

// UTF-8 of any kind, valid or not, reads as the engine reads the whole text, also in chunks
// long enough for the converter to read sixteen bytes at a time.
TEST(ConvertStream, AnyBytesReadAsUtf8AsTheEngineReadsThem) {
    std::mt19937 random(8);
    const std::string pieces[] = {"a",        "\xC3\xB1",     "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                  "\xE0\xA0", "\xED\xA0\x80", "\xF4\x90",     "\x80",
                                  "\xFF"};
    for (int text = 0; text < 12; ++text) {
        std::string bytes;
        while (bytes.size() < 2000) {
            if (text % 2 == 0) {
                bytes += static_cast<char>(random());
            } else {
                bytes += pieces[random() % std::size(pieces)];
            }
        }
        for (const Mode to : {Decimal, Texto}) {  // read as codes, and copied
            const std::string whole = wholeConversion(Texto, to, kUtf8, bytes);
            Options options;
            options.to = to;
            options.exact = true;
            for (const std::size_t chunk : {std::size_t{1}, std::size_t{17}, std::size_t{1000}}) {
                ChunkedInput source(bytes, chunk, false);
                StringSink output;
                std::string message;
                convertInput(options, source, output, message, {4096, 100, 50});
                EXPECT_EQ(output.bytes, whole)
                    << "text " << text << " to " << to << ", chunks of " << chunk;
            }
        }
    }
}

TEST(ConvertStream, ArgumentsAndTheirMistakes) {
    struct Row {
        std::vector<std::string> arguments;
        Request::Kind kind;
        Mode from;
        Mode to;
        bool strict;
        std::string file;
    };
    const Row rows[] = {
        {{"texto", "binario"}, Request::Convert, Texto, Binario, false, ""},
        {{"text", "hex", "in.txt"}, Request::Convert, Texto, Hexadecimal, false, "in.txt"},
        {{"--strict", "BINARY", "decimal", "-"}, Request::Convert, Binario, Decimal, true, ""},
        {{"decimal", "--", "texto", "-x"}, Request::Convert, Decimal, Texto, false, "-x"},
        {{"texto"}, Request::WrongUsage, Texto, Texto, false, ""},
        {{"texto", "octal"}, Request::WrongUsage, Texto, Texto, false, ""},
        {{"texto", "binario", "a", "b"}, Request::WrongUsage, Texto, Texto, false, ""},
        {{"--fast", "texto", "binario"}, Request::WrongUsage, Texto, Texto, false, ""},
        {{"bin", "dec", "-w", "76"}, Request::Convert, Binario, Decimal, false, ""},
        {{"texto", "bin", "-w"}, Request::WrongUsage, Texto, Texto, false, ""},
        {{"texto", "bin", "--wrap=7x"}, Request::WrongUsage, Texto, Texto, false, ""},
        {{"--help"}, Request::Help, Texto, Texto, false, ""}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.front());
        const Request request = parseArguments(row.arguments);
        EXPECT_EQ(request.kind, row.kind);
        if (row.kind == Request::WrongUsage) {
            EXPECT_EQ(request.message.find('\n'), std::string::npos) << "one line";
            EXPECT_NE(request.message.find("Uso: trelvane-convert"), std::string::npos);
        }
        if (row.kind == Request::Convert) {
            EXPECT_EQ(request.options.from, row.from);
            EXPECT_EQ(request.options.to, row.to);
            EXPECT_EQ(request.options.strict, row.strict);
            EXPECT_EQ(request.options.file.value_or(""), row.file);
        }
    }
}

}  // namespace
