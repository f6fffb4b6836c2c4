// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>

#include "code_column.h"
#include "entry_box.h"
#include "label_button.h"
#include "mask_shape.h"

namespace trelvane {

// "Lista de código ASCII": the codes 1 to 255 with their characters in four columns that fill
// one row per column every 10 ms, drawn in the font it is handed, which the user can change
// with the font box and "Abrir". Creating the window loads it, which shows the font message
// (modal) when the font is not available. "Abrir" keeps the typed name as the window's font,
// reports it by fontChosen and reloads the same window in place, so a pointer kept to it stays
// good; closing deletes it.
class FrmScroll : public QWidget {
    Q_OBJECT
  public:
    // sFont is the font the columns are drawn in; whoever opens the table keeps it for the next
    // opening, and learns of a new one from fontChosen.
    explicit FrmScroll(QString sFont, QWidget* parent = nullptr);

  signals:
    // "Abrir" applied a font name, as typed, before the window loads again in it.
    void fontChosen(const QString& sFont);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Tests reach the controls and the state through this accessor of theirs, and only there.
    friend class TableWindowProbe;

    // Event handlers.
    void Form_Load();
    void tmrOpen_Timer();
    void cmdFont_Click();
    void txtFont_KeyDown(int keyCode);
    void cmdFont_MouseDown();
    void cmdFont_MouseUp();

    void loadWindow();
    // The key of "Abrir", and names for screen readers.
    void setUpAccess();
    void setDesignedLook();
    std::array<CodeColumn*, 4> columns() const { return {txtA, txtB, txtC, txtD}; }

    // The controls, by name.
    CodeColumn* const txtA = new CodeColumn(this);
    CodeColumn* const txtB = new CodeColumn(this);
    CodeColumn* const txtC = new CodeColumn(this);
    CodeColumn* const txtD = new CodeColumn(this);
    QLabel* const lblRe = new QLabel(this);  // created before txtFont so it lies behind it
    EntryBox* const txtFont = new EntryBox(this);
    LabelButton* const cmdFont = new LabelButton(QStringLiteral("Abrir"), this);
    MaskShape* const shpFont = new MaskShape(this);
    QTimer* const tmrOpen = new QTimer(this);

    QString sFont;
    // The next code each column shows.
    std::int16_t nNextA = 1;
    std::int16_t nNextB = 32;
    std::int16_t nNextC = 128;
    std::int16_t nNextD = 192;
};

}  // namespace trelvane
