#pragma once

#include "editing/insertion/DateFormatSource.h"

#include <QDialog>

class QTimer;

namespace kora {

// "Možnosti". Its timer tUkladani paces the main window's autosave; its date format box gives
// "Datum a čas" its format.
class Tnastaveni : public QDialog, public DateFormatSource
{
    Q_OBJECT

public:
    static constexpr int kAutosaveIntervalMs = 10 * 60 * 1000;

    explicit Tnastaveni(QWidget *parent = nullptr);

    QTimer *tUkladani() const { return m_tUkladani; }
    QString dateTimeFormat() const override { return QString::fromUtf16(kDesignFormat); }

signals:
    // Emitted on every tick of tUkladani.
    void autosaveDue();

private:
    QTimer *m_tUkladani;
};

} // namespace kora
