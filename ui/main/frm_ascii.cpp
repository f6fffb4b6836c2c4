// SPDX-License-Identifier: MIT
// The main window's controls, its load and its closing.
#include "frm_ascii.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QScreen>

#include "accessibility.h"
#include "character_label.h"
#include "code_glyphs.h"
#include "fonts.h"
#include "program_icon.h"
#include "text_colors.h"
#include "twips.h"
#include "undefined_code.h"

namespace trelvane {

namespace {

constexpr QRgb kWindowBack = 0xF5F5F5;
constexpr QRgb kFnMoveBack = 0xE6E6E6;
constexpr QRgb kFlag500Back = 0xFF8080;

QFont segoeUi(double points) {
    return designFont(QStringLiteral("Segoe UI"), points);
}

void setBackground(QWidget* widget, QRgb color) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(color));
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

// A label of the window: plain text, so that any character shows as itself.
template <typename Label>
Label* makeLabel(const QString& caption, QWidget* parent, const QRect& geometry, double points,
                 const QString& toolTip) {
    auto* label = new Label(caption, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    label->setFont(segoeUi(points));
    label->setToolTip(toolTip);
    setCaptionInk(*label);
    return label;
}

EntryBox* makeEntryBox(const QString& text, QWidget* parent, const QRect& geometry, int maxLength,
                       QRgb back, double points, const QString& toolTip) {
    auto* box = new EntryBox(parent);
    box->setGeometry(geometry);
    box->setAlignment(Qt::AlignCenter);
    box->setUserMaxLength(maxLength);
    box->setText(text);
    box->setBackColor(QColor::fromRgb(back));
    box->setFont(segoeUi(points));
    box->setToolTip(toolTip);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

CodeEdit* makeCodeEdit(QWidget* parent, const QRect& geometry, QRgb back, const QString& toolTip) {
    auto* edit = new CodeEdit(segoeUi(12), parent);
    edit->setGeometry(geometry);
    edit->setBackColor(QColor::fromRgb(back));
    setTextBoxInk(*edit);
    edit->setToolTip(toolTip);
    edit->setFocusPolicy(Qt::ClickFocus);
    return edit;
}

QTimer* makeTimer(QObject* parent, int interval) {
    auto* timer = new QTimer(parent);
    timer->setInterval(interval);
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

}  // namespace

FrmAscii::FrmAscii(QWidget* parent) : QWidget(parent) {
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("frmASCII"));
    setWindowTitle(QStringLiteral("Trelvane"));
    setWindowIcon(windowIcon32());
    setFixedSize(px(6255), px(3255));
    setBackground(this, 0xE0E0E0);

    tmrWait = makeTimer(this, 1000);
    tmrRebote2 = makeTimer(this, 20);
    tmrRebote1 = makeTimer(this, 10);

    // The character box lies beyond the right edge of the window: it is never seen, it only
    // takes the keys for the character that lblC shows.
    txtC = makeEntryBox(QStringLiteral("A"), this, twipsRect(11640, 120, 1695, 1095), 1, 0x14AAE6,
                        39.75, QStringLiteral(" CARACTER "));
    txtC->setControlKeysTyped(true);

    frmeMove = new QWidget(this);
    frmeMove->setObjectName(QStringLiteral("frmeMove"));
    frmeMove->setGeometry(twipsRect(0, 120, 11535, 3015));
    setBackground(frmeMove, kWindowBack);

    buildCharacterPanel();
    buildFunctionButtons();
    buildCodePanel();

    // Only the text boxes take the focus, in this order.
    setTabOrder(txtC, txtA);
    setTabOrder(txtA, txtB);
    setTabOrder(txtB, txtCodeA);
    setTabOrder(txtCodeA, txtCodeB);

    connectHandlers();
    setUpKeys();
    setUpAccessibility();
    Form_Load();
    txtC->setFocus();
}

FrmAscii* FrmAscii::open(FrmAscii* prepared) {
    FrmAscii* frmAscii = prepared != nullptr ? prepared : new FrmAscii;
    frmAscii->setAttribute(Qt::WA_DeleteOnClose);
    frmAscii->show();
    // The keys typed at once go to the character box, whatever window had them before.
    frmAscii->activateWindow();
    return frmAscii;
}

bool FrmAscii::prepare(int step, QPointer<FrmAscii>& window) {
    // The font of the code fields takes four steps: the font itself, the fallback font of the
    // control pictures, the digits of the undefined codes, and the table of advances.
    const QFont font = segoeUi(12);
    switch (step) {
        case 0:
            QFontMetricsF(font).horizontalAdvance(
                QStringLiteral("Campo A 0123456789 ABCDEF abcdef"));
            return true;
        case 1:
            QFontMetricsF(font).horizontalAdvance(QString(QChar(shownUnit(0))));
            return true;
        case 2:
            undefinedCodeAdvance(font);
            return true;
        case 3:
            GlyphAdvances{font};
            return true;
        case 4:
            window = new FrmAscii;
            return true;
        default:
            if (window != nullptr) {
                window->prepareFirstPaint();
            }
            return false;
    }
}

void FrmAscii::prepareFirstPaint() {
    // Drawn once into a picture nobody sees: the styles are applied, the captions laid out and
    // the glyphs of their fonts rendered, so that the first paint on screen finds them ready.
    grab();
}

// Ending the converter ends the program: the code table goes with it.
FrmAscii::~FrmAscii() {
    delete frmScroll.data();
}

void FrmAscii::buildCharacterPanel() {
    lblC = makeLabel<CharacterLabel>(QStringLiteral("A"), frmeMove, twipsRect(120, 0, 2175, 1455),
                                     51.75, QStringLiteral(" Caracter "));
    lblC->setBackColor(QColor::fromRgb(0x14AAE6));
    lblC->setOpaque(true);

    txtA = makeEntryBox(QStringLiteral("65"), frmeMove, twipsRect(2400, 0, 3015, 1455), 3, 0x14D2E6,
                        51.75, QStringLiteral(" Valor ASCII/decimal "));
    txtB = makeEntryBox(QStringLiteral("01000001"), frmeMove, twipsRect(120, 1560, 5295, 1455), 8,
                        0x14D2E6, 51.75, QStringLiteral(" Valor binario "));
}

void FrmAscii::buildFunctionButtons() {
    struct Design {
        double top;
        const char* caption;
        const char* toolTip;
    };
    static constexpr Design kDesign[4] = {{0, ">", " Mover "},
                                          {360, "@", " Lista ASCII "},
                                          {720, "!", " Acerca "},
                                          {1560, "...", " Separar en grupos "}};
    for (int i = 0; i < 4; ++i) {
        cmdFn[i] = makeLabel<LabelButton>(QString::fromLatin1(kDesign[i].caption), frmeMove,
                                          twipsRect(5520, kDesign[i].top, 495, 375), 12.75,
                                          QString::fromLatin1(kDesign[i].toolTip));
        cmdFn[i]->setObjectName(QStringLiteral("cmdFn%1").arg(i));
    }
    cmdFn[0]->setBackColor(QColor::fromRgb(kFnMoveBack));
    cmdFn[0]->setOpaque(true);
    cmdFn[3]->setBackColor(QColor::fromRgb(kWindowBack));
    cmdFn[3]->setOpaque(true);
    cmdFn[3]->hide();

    // The shapes lie in front of their buttons; drawn by a bitwise AND, they leave the
    // captions readable and let the mouse through to the buttons.
    for (int i = 0; i < 4; ++i) {
        shpFn[i] = new MaskShape(frmeMove);
        shpFn[i]->setGeometry(cmdFn[i]->geometry());
    }
    shpFn[3]->hide();
}

void FrmAscii::buildCodePanel() {
    txtCodeA = makeCodeEdit(frmeMove, twipsRect(6120, 0, 4695, 1455), 0x14AAE6,
                            QStringLiteral(" Campo A "));
    txtCodeA->setObjectName(QStringLiteral("txtCodeA"));
    txtCodeA->setUserMaxLength(500);
    txtCodeB = makeCodeEdit(frmeMove, twipsRect(6120, 1560, 4695, 1455), 0x14D2E6,
                            QStringLiteral(" Campo B "));
    txtCodeB->setObjectName(QStringLiteral("txtCodeB"));

    const double flagTops[2] = {1080, 2640};
    for (int i = 0; i < 2; ++i) {
        frme500[i] = new QWidget(frmeMove);
        frme500[i]->setGeometry(twipsRect(6120, flagTops[i], 495, 375));
        setBackground(frme500[i], kFlag500Back);
        frme500[i]->hide();
    }
    lbl500 = makeLabel<QLabel>(QStringLiteral("500"), frme500[0], twipsRect(0, 0, 495, 375), 12.75,
                               QStringLiteral(" Texto "));
    Label1 = makeLabel<QLabel>(QStringLiteral("500"), frme500[1], twipsRect(0, 0, 495, 375), 12.75,
                               QStringLiteral(" Texto "));

    struct Design {
        double top;
        const char* caption;
        const char* toolTip;
    };
    static constexpr Design kDesign[8] = {{0, "Ab", " Texto "},          {360, "01", " Binario "},
                                          {720, "Hx", " Hexadecimal "},  {1080, "Dc", " Decimal "},
                                          {1560, "Ab", " Texto "},       {1920, "01", " Binario "},
                                          {2280, "Hx", " Hexadecimal "}, {2640, "Dc", " Decimal "}};
    for (int i = 0; i < 8; ++i) {
        cmdOpt[i] = makeLabel<LabelButton>(QString::fromLatin1(kDesign[i].caption), frmeMove,
                                           twipsRect(10920, kDesign[i].top, 495, 375), 12.75,
                                           QString::fromLatin1(kDesign[i].toolTip));
        cmdOpt[i]->setObjectName(QStringLiteral("cmdOpt%1").arg(i));
    }
    for (int i = 0; i < 8; ++i) {
        shpOpt[i] = new MaskShape(frmeMove);
        shpOpt[i]->setGeometry(cmdOpt[i]->geometry());
    }
    shpOpt[0]->setFilled(true);
    shpOpt[5]->setFilled(true);

    // The grouping view lies in front of both code fields, their flags and the mode buttons.
    txtCodeC = makeCodeEdit(frmeMove, twipsRect(6120, 0, 5295, 3015), 0x14AAE6,
                            QStringLiteral(" Campo A "));
    txtCodeC->setObjectName(QStringLiteral("txtCodeC"));
    txtCodeC->setReadOnly(true);
    txtCodeC->setUserMaxLength(500);
    txtCodeC->hide();
}

void FrmAscii::connectHandlers() {
    connect(tmrWait, &QTimer::timeout, this, &FrmAscii::tmrWait_Timer);
    connect(tmrRebote1, &QTimer::timeout, this, &FrmAscii::tmrRebote1_Timer);
    connect(tmrRebote2, &QTimer::timeout, this, &FrmAscii::tmrRebote2_Timer);

    connect(txtC, &EntryBox::keyPress, this, &FrmAscii::txtC_KeyPress);
    connect(txtC, &QLineEdit::textChanged, this, &FrmAscii::txtC_Change);
    connect(txtC, &EntryBox::gotFocus, this, &FrmAscii::txtC_GotFocus);
    connect(txtA, &QLineEdit::textChanged, this, &FrmAscii::txtA_Change);
    connect(txtA, &EntryBox::gotFocus, this, &FrmAscii::txtA_GotFocus);
    connect(txtA, &EntryBox::clicked, this, &FrmAscii::txtA_Click);
    connect(txtB, &EntryBox::keyPress, this, &FrmAscii::txtB_KeyPress);
    connect(txtB, &QLineEdit::textChanged, this, &FrmAscii::txtB_Change);
    connect(txtB, &EntryBox::gotFocus, this, &FrmAscii::txtB_GotFocus);
    connect(txtB, &EntryBox::clicked, this, &FrmAscii::txtB_Click);
    connect(lblC, &LabelButton::clicked, this, &FrmAscii::lblC_Click);

    connect(txtCodeA, &CodeEdit::changed, this, &FrmAscii::txtCodeA_Change);
    connect(txtCodeA, &CodeEdit::gotFocus, this, &FrmAscii::txtCodeA_GotFocus);
    connect(txtCodeA, &CodeEdit::keyPress, this, &FrmAscii::txtCodeA_KeyPress);
    connect(txtCodeA, &CodeEdit::clicked, this, &FrmAscii::txtCodeA_Click);
    // The field raises outOfMemory while it still unwinds the refused edit; the message box,
    // which runs an event loop of its own, waits until that memory is let go.
    connect(txtCodeA, &CodeEdit::outOfMemory, this, &FrmAscii::txtCodeA_OutOfMemory,
            Qt::QueuedConnection);
    connect(txtCodeB, &CodeEdit::changed, this, &FrmAscii::txtCodeB_Change);
    connect(txtCodeB, &CodeEdit::gotFocus, this, &FrmAscii::txtCodeB_GotFocus);
    connect(txtCodeB, &CodeEdit::keyPress, this, &FrmAscii::txtCodeB_KeyPress);
    connect(txtCodeB, &CodeEdit::clicked, this, &FrmAscii::txtCodeB_Click);
    connect(txtCodeB, &CodeEdit::outOfMemory, this, &FrmAscii::txtCodeB_OutOfMemory,
            Qt::QueuedConnection);

    for (int i = 0; i < 8; ++i) {
        connect(cmdOpt[i], &LabelButton::mouseDown, this, [this, i] { cmdOpt_MouseDown(i); });
        connect(cmdOpt[i], &LabelButton::clicked, this, [this, i] { cmdOpt_Click(i); });
    }
    for (int i = 0; i < 4; ++i) {
        connect(cmdFn[i], &LabelButton::mouseDown, this, [this, i] { cmdFn_MouseDown(i); });
        connect(cmdFn[i], &LabelButton::mouseUp, this, [this, i] { cmdFn_MouseUp(i); });
        connect(cmdFn[i], &LabelButton::clicked, this, [this, i] { cmdFn_Click(i); });
    }
}

void FrmAscii::Form_Load() {
    setBackground(this, kWindowBack);
    dispatch.loadStartValues();
    describeCodeFields();
    sFont = QStringLiteral("Segoe UI");
}

void FrmAscii::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_ && screen() != nullptr) {
        centred_ = true;
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
}

// Closing the converter ends the program at once, whatever other window is open.
void FrmAscii::closeEvent(QCloseEvent* event) {
    event->accept();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void FrmAscii::setMoveLeft(float twips) {
    frmeMoveLeft_ = twips;
    frmeMove->move(px(twips), frmeMove->y());
}

CodeEdit* FrmAscii::codeEdit(CodeField field) const {
    return field == CodeField::A ? txtCodeA : txtCodeB;
}

}  // namespace trelvane
