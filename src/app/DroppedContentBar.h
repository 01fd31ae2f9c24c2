#pragma once

#include <QFrame>

class QLabel;
class QPushButton;

namespace kora {

// A bar above the editor that tells, without blocking reading, what an opened document held
// that the editor cannot keep, with the ways out: save under another name or read only.
class DroppedContentBar : public QFrame
{
    Q_OBJECT
public:
    explicit DroppedContentBar(QWidget *parent = nullptr);

    // Shows the bar for these lost kinds of content; hides it when there are none.
    void showFor(const QString &fileName, const QStringList &lostContent);
    QString text() const;

signals:
    void saveAsRequested();
    void readOnlyRequested();

private:
    QLabel *m_label;
};

} // namespace kora
