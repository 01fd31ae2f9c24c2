#pragma once

#include "platform/FontChoice.h"

#include <QColor>
#include <QObject>

class QAction;
class QComboBox;
class QFontComboBox;

namespace kora {

class Prompter;
class RichEdit;
class TColorBtn;
class TanlRuler;

// The formatting toolbar's controls and the ruler.
struct FormattingControls
{
    QFontComboBox *cbpismo = nullptr;
    QComboBox *cbVelikost = nullptr;
    TColorBtn *cbBarva = nullptr;
    TColorBtn *ColorBtn1 = nullptr;
    TanlRuler *Ruler = nullptr;
};

// The menu items and toolbar buttons of the formatting commands.
struct FormattingActions
{
    QAction *mpismo = nullptr;
    QAction *Barva1 = nullptr;
    QAction *mTucne = nullptr;
    QAction *mKurziva = nullptr;
    QAction *mPodtrzene = nullptr;
    QAction *mPreskrtnute = nullptr;
    QAction *tbTucne = nullptr;
    QAction *tbKurziva = nullptr;
    QAction *tbPodtrzene = nullptr;
    QAction *tbPreskrtnute = nullptr;
    QAction *mVlevo = nullptr;
    QAction *tbVlevo = nullptr;
    QAction *mNaStred = nullptr;
    QAction *tbCenter = nullptr;
    QAction *mVpravo = nullptr;
    QAction *tbVpravo = nullptr;
    QAction *tbTecky = nullptr;
    QAction *tbHorniIndex = nullptr;
    QAction *tbDolniIndex = nullptr;
    QAction *mZvetcitOdsazeni = nullptr;
    QAction *mZmencitOdsazeni = nullptr;
    QAction *mVelkaPismena = nullptr;
    QAction *mMalaPismena = nullptr;
    QAction *mLamani = nullptr;
};

// The commands that change the selection's character and paragraph format, the boxes and colour
// buttons of the formatting toolbar and the ruler's indents. Each handler acts on the selection as
// the editor reports it; the refresh shows the selection's format in the boxes.
class FormattingController : public QObject
{
    Q_OBJECT
public:
    // Connects the actions and controls to the handlers.
    FormattingController(RichEdit &editor, Prompter &prompter, const FormattingControls &controls,
                         const FormattingActions &actions, QObject *parent = nullptr);

    // The refresh: the font and size boxes and the colour buttons show the selection's format.
    // A box the user is in is left alone, and showing never writes into the document.
    void showSelectionFormat();

public slots:
    void mpismoClick();
    void Barva1Click();
    void cbpismoChange();
    void cbVelikostChange();
    void mTucneClick();
    void mKurzivaClick();
    void mPodtrzeneClick();
    void mPreskrtnuteClick();
    void tbTucneClick();
    void tbKurzivaClick();
    void tbPodtrzeneClick();
    void tbPreskrtnuteClick();
    void mVlevoClick();
    void mNaStredClick();
    void mVpravoClick();
    void tbTeckyClick();
    void tbHorniIndexClick();
    void tbDolniIndexClick();
    void mZvetcitOdsazeniClick();
    void mZmencitOdsazeniClick();
    void mVelkaPismenaClick();
    void mMalaPismenaClick();
    void mLamaniClick();
    void cbBarvaClick();
    void ColorBtn1Click();
    void RulerIndentChange(kora::TanlRuler *sender, int indentId);

private:
    RichEdit &m_editor;
    Prompter &m_prompter;
    FormattingControls m_controls;
    FormattingActions m_actions;
    FontChoice m_fontDialogChoice;
    bool m_fontDialogShown = false;
    QColor m_colorDialogColor = Qt::black;
};

} // namespace kora
