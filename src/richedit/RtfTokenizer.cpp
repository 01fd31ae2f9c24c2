#include "richedit/RtfTokenizer.h"

#include <limits>

namespace kora::rtf {

namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

Tokenizer::Tokenizer(QByteArrayView data)
    : m_data(data.data())
    , m_size(data.size())
{
}

Token Tokenizer::next()
{
    while (m_pos < m_size) {
        const char c = m_data[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            return Token{TokenType::GroupOpen};
        case '}':
            ++m_pos;
            return Token{TokenType::GroupClose};
        case '\r':
        case '\n':
            ++m_pos;
            continue;
        case '\\': {
            if (m_pos + 1 >= m_size) {
                m_pos = m_size;
                return Token{TokenType::End};
            }
            const char n = m_data[m_pos + 1];
            if (isLetter(n))
                return controlWord();
            if (n == '\'') {
                const int hi = m_pos + 2 < m_size ? hexValue(m_data[m_pos + 2]) : -1;
                const int lo = m_pos + 3 < m_size ? hexValue(m_data[m_pos + 3]) : -1;
                if (hi < 0 || lo < 0) {
                    // A broken escape: drop the backslash and quote, keep what follows as text.
                    m_badHex = true;
                    m_pos += 2;
                    continue;
                }
                m_pos += 4;
                Token t{TokenType::HexByte};
                t.byte = static_cast<uint8_t>(hi * 16 + lo);
                return t;
            }
            m_pos += 2;
            Token t{TokenType::ControlSymbol};
            // Backslash before a line break means \par.
            t.symbol = (n == '\r' || n == '\n') ? '\n' : n;
            return t;
        }
        default: {
            const qsizetype start = m_pos;
            while (m_pos < m_size) {
                const char d = m_data[m_pos];
                if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                    break;
                ++m_pos;
            }
            Token t{TokenType::Text};
            t.word = std::string_view(m_data + start, size_t(m_pos - start));
            return t;
        }
        }
    }
    return Token{TokenType::End};
}

Token Tokenizer::controlWord()
{
    ++m_pos; // backslash
    const qsizetype start = m_pos;
    while (m_pos < m_size && isLetter(m_data[m_pos]))
        ++m_pos;
    Token t{TokenType::ControlWord};
    t.word = std::string_view(m_data + start, size_t(m_pos - start));

    bool negative = false;
    if (m_pos + 1 < m_size && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_size && isDigit(m_data[m_pos])) {
        int64_t value = 0;
        while (m_pos < m_size && isDigit(m_data[m_pos])) {
            if (value <= std::numeric_limits<int32_t>::max())
                value = value * 10 + (m_data[m_pos] - '0');
            ++m_pos;
        }
        if (negative)
            value = -value;
        if (value > std::numeric_limits<int32_t>::max())
            value = std::numeric_limits<int32_t>::max();
        if (value < std::numeric_limits<int32_t>::min())
            value = std::numeric_limits<int32_t>::min();
        t.param = static_cast<int32_t>(value);
        t.hasParam = true;
    }
    if (m_pos < m_size && m_data[m_pos] == ' ')
        ++m_pos;

    if (t.word == "bin") {
        const qsizetype wanted = t.hasParam && t.param > 0 ? t.param : 0;
        const qsizetype count = std::min<qsizetype>(wanted, m_size - m_pos);
        Token b{TokenType::Binary};
        b.word = std::string_view(m_data + m_pos, size_t(count));
        m_pos += count;
        return b;
    }
    return t;
}

} // namespace kora::rtf
