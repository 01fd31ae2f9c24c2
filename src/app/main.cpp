#include "richedit/RichEdit.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KORA Editor"));
    QApplication::setApplicationVersion(QStringLiteral("1.1.8"));

    kora::RichEdit editor;
    editor.setObjectName(QStringLiteral("RichEdit1"));
    editor.setWindowTitle(QStringLiteral("KORA Editor - Bez Názvu"));
    editor.resize(800, 600);

    const QStringList args = app.arguments();
    if (args.size() > 1 && !args.at(1).isEmpty()) {
        QString error;
        if (editor.loadFromFile(args.at(1), &error)) {
            editor.setModified(false);
            editor.setWindowTitle(QStringLiteral("KORA Editor - ( %1 )").arg(args.at(1)));
        } else {
            QMessageBox::critical(nullptr, QStringLiteral("KORA Editor"), error);
        }
    }
    editor.show();
    return app.exec();
}
