// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>

#include "character_panel.h"
#include "character_window.h"
#include "code_dispatch.h"
#include "code_edit.h"
#include "code_window.h"
#include "entry_box.h"
#include "frm_scroll.h"
#include "label_button.h"
#include "mask_shape.h"

namespace trelvane {

// The converter window. Its frame frmeMove carries two panels side by side and slides between
// them: the character panel (one character as character, decimal and binary) and the code
// panel (Campo A and Campo B, converted into each other as the user types).
//
// The window's procedures are spread over a file per concern: layout and load here, the code
// panel, the character panel, the slides and the function buttons each in its own file.
class FrmAscii : public QWidget, public CodeWindow, public CharacterWindow {
    Q_OBJECT
  public:
    explicit FrmAscii(QWidget* parent = nullptr);
    ~FrmAscii() override;

    // Shows the converter window of the program, the one prepared beforehand or, without one,
    // a new one; it deletes itself when closed.
    static FrmAscii* open(FrmAscii* prepared = nullptr);

    // Prepares the converter window a step at a time, each step a few milliseconds, so that
    // opening it later only has to show it: the font its code fields measure their text in,
    // then the window itself, built hidden into `window`, then its first paint. Returns whether
    // steps remain after this one.
    static bool prepare(int step, QPointer<FrmAscii>& window);

    // The window side of the code panel's conversions: views of the fields' texts, and writes
    // whose results are written once, into the storage the field keeps.
    std::u16string_view codeText(CodeField field) const override;
    void setCodeText(CodeField field, std::size_t length, TextFill fill) override;
    void replaceCodeText(CodeField field, std::size_t position, std::size_t removed,
                         std::size_t length, TextFill fill) override;
    void moveCaretToEnd(CodeField field) override;
    void setCodeBackColor(CodeField field, Color color) override;
    void setFlag500Visible(CodeField field, bool visible) override;
    void setModeMark(int index, bool filled) override;

    // The window side of the character panel: its boxes, the face lblC and the timer tmrWait.
    std::u16string boxText(FocusBox box) const override;
    void setBoxText(FocusBox box, std::u16string_view text) override;
    void setCharacterCaption(std::u16string_view text) override;
    void setBoxBackColor(FocusBox box, Color color) override;
    void setWaitTimerEnabled(bool enabled) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Tests reach the controls and the state through this accessor of theirs, and only there.
    friend class MainWindowProbe;

    // The code panel's conversions and the state they share with the character panel:
    // nFocus, vModeA, vModeB, vBinBad, vBinPartial and the colours.
    CodeDispatch dispatch{*this};
    // The character panel's procedures; nFocus and the colours are the dispatch's.
    CharacterPanel panel{*this, dispatch};

    // State of the slide: the code panel is in view (or being left); the slide now running
    // was started by a click in a box; ticks of the rebound so far.
    bool vMoved = false;
    bool bClicked = false;
    int vBounce = 0;

    // The font of the code table, kept here for its next opening: the table is handed a copy
    // and reports the font the user applies in it.
    QString sFont;

    // The code table window, while it is open.
    QPointer<FrmScroll> frmScroll;

    // Controls directly on the window.
    QTimer* tmrWait;
    QTimer* tmrRebote2;
    QTimer* tmrRebote1;
    EntryBox* txtC;
    QWidget* frmeMove;

    // The character panel, inside frmeMove.
    LabelButton* lblC;
    EntryBox* txtA;
    EntryBox* txtB;
    std::array<LabelButton*, 4> cmdFn{};
    std::array<MaskShape*, 4> shpFn{};

    // The code panel, inside frmeMove.
    CodeEdit* txtCodeA;
    CodeEdit* txtCodeB;
    CodeEdit* txtCodeC;
    std::array<QWidget*, 2> frme500{};
    QLabel* lbl500;
    QLabel* Label1;
    std::array<LabelButton*, 8> cmdOpt{};
    std::array<MaskShape*, 8> shpOpt{};

    // The left edge of frmeMove in twips.
    float moveLeft() const { return frmeMoveLeft_; }
    void setMoveLeft(float twips);

    // Event handlers, named by their control and event.
    void Form_Load();

    void txtCodeA_Change();
    void txtCodeB_Change();
    void txtCodeA_GotFocus();
    void txtCodeB_GotFocus();
    void txtCodeA_KeyPress(int& KeyAscii);
    void txtCodeB_KeyPress(int& KeyAscii);
    void txtCodeA_Click();
    void txtCodeB_Click();
    void txtCodeA_OutOfMemory();
    void txtCodeB_OutOfMemory();
    void cmdOpt_MouseDown(int Index);
    void cmdOpt_Click(int Index);

    void txtC_KeyPress(int& KeyAscii);
    void txtC_Change();
    void txtC_GotFocus();
    void txtB_KeyPress(int& KeyAscii);
    void txtB_Change();
    void txtB_GotFocus();
    void txtB_Click();
    void txtA_Change();
    void txtA_GotFocus();
    void txtA_Click();
    void lblC_Click();
    void tmrWait_Timer();

    void tmrRebote1_Timer();
    void tmrRebote2_Timer();

    void cmdFn_MouseDown(int Index);
    void cmdFn_MouseUp(int Index);
    void cmdFn_Click(int Index);

    // The grouping view of a binary text.
    void eSeparar(const std::u16string& iBinary);

    // What the About box shows below its title.
    static QString aboutText();

    void prepareFirstPaint();
    void buildCharacterPanel();
    void buildFunctionButtons();
    void buildCodePanel();
    void connectHandlers();
    // Keys for every button, and names and roles for screen readers.
    void setUpKeys();
    void setUpAccessibility();
    // The descriptions that follow the state: the modes and errors of the code fields, the
    // error of the decimal or binary box (empty when it has none).
    void describeCodeFields();
    void describeCharacterBox(EntryBox* box, const QString& error);
    CodeEdit* codeEdit(CodeField field) const;
    void showOutOfMemory();

    // The character panel.
    EntryBox* entryBox(FocusBox box) const;

    // The slides.
    void finishSlide(bool toCodePanel);
    // codePanel: the code panel is in view; covered: the grouping view lies over it.
    void setTabStops(bool codePanel, bool covered);

    // The function buttons.
    void groupingRequest();
    void groupingClose();
    void setGroupingLook(bool open);
    void openTable();
    void showAbout();

    float frmeMoveLeft_ = 0;
    std::array<bool, 2> codeFieldError_{};  // Campo A, Campo B in the error colour
    bool centred_ = false;
};

}  // namespace trelvane
