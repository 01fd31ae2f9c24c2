#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

namespace kora {

// Windows code pages as RTF names them (\ansicpg, \cpg, \fcharset), decoded with Qt's converters.
namespace codepage {

constexpr int kWindows1250 = 1250;
constexpr int kWindows1252 = 1252;
constexpr int kUtf8 = 65001;

// The code page that an RTF \fcharset value stands for; `documentCodePage` for the
// default charset 1 and for charsets this table does not know.
int forCharset(int charset, int documentCodePage);

// The converter name Qt knows for a Windows code page, or an empty string.
QString converterName(int codePage);

bool isDoubleByte(int codePage);

// True when Qt can convert this code page here.
bool isSupported(int codePage);

// The Windows-1250 byte of a character, or -1 when the code page has none.
int toWindows1250(char16_t ch);

// Decodes one Windows-1250 byte.
char16_t fromWindows1250(unsigned char byte);

// Fast decoder for one code page: single-byte pages use a table, the others Qt's converter.
class Decoder
{
public:
    explicit Decoder(int codePage);
    ~Decoder();
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    int codePage() const { return m_codePage; }
    bool isDoubleByte() const { return m_doubleByte; }
    // Decodes whole bytes; unmappable bytes become U+FFFD.
    void decodeAppend(const char *bytes, qsizetype length, QString &out) const;

private:
    int m_codePage;
    bool m_doubleByte;
    std::array<char16_t, 256> m_table{};
    QByteArray m_name;
};

} // namespace codepage
} // namespace kora
