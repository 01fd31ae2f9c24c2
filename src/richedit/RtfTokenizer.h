#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <string_view>

namespace kora::rtf {

enum class TokenType {
    GroupOpen,
    GroupClose,
    ControlWord,   // name, optional numeric parameter
    ControlSymbol, // one non-letter after a backslash
    HexByte,       // \'hh
    Text,          // a run of literal bytes (no line breaks)
    Binary,        // the data of \binN
    End,
};

struct Token
{
    explicit Token(TokenType t = TokenType::End)
        : type(t)
    {
    }
    TokenType type;
    std::string_view word; // control word name, text run or binary data
    int32_t param = 0;
    bool hasParam = false;
    char symbol = 0;
    uint8_t byte = 0;
};

// Splits RTF bytes into tokens without copying. Never reads past the end; numbers saturate;
// \bin counts are clamped to the data that is there.
class Tokenizer
{
public:
    explicit Tokenizer(QByteArrayView data);

    Token next();
    qsizetype position() const { return m_pos; }
    bool sawBadHex() const { return m_badHex; }

private:
    Token controlWord();

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
    bool m_badHex = false;
};

} // namespace kora::rtf
