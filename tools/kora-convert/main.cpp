// Converts documents between RTF (.rtf, .kora) and plain text (.txt) by the editor's own rules.
#include "richedit/DocumentCodec.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "kora-convert: %s\n", message.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts and layout need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "Použití: kora-convert VSTUP VÝSTUP\n"
                             "Převádí dokumenty mezi RTF (.rtf, .kora) a prostým textem (.txt).\n");
        return 2;
    }
    const QString in = args.at(1);
    const QString out = args.at(2);

    QTextDocument document;
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSize(12);
    document.setDefaultFont(font);
    kora::LoadInfo info;
    QString error;
    if (!kora::documentcodec::loadFile(in, document, &info, &error))
        return fail(error);
    const kora::DocumentKind kind = kora::documentcodec::saveKindForPath(out, info.readAs);
    const QByteArray bytes = kora::documentcodec::encode(document, kind, info.textFormat);
    if (!kora::documentcodec::saveFile(out, bytes, &error))
        return fail(error);
    return 0;
}
