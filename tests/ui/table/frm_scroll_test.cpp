// SPDX-License-Identifier: MIT
// The code table window driven headless: its rows tick by tick, its timer, the font box with
// "Abrir" and Enter, the press look of "Abrir", and a picture of the whole window.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <ostream>
#include <string>
#include <vector>

#include "codepage.h"
#include "frm_scroll.h"
#include "pictures.h"

namespace trelvane {
namespace {

const QString kMissingFont = QStringLiteral("Fuente Que No Existe");
const QString kFontMessage = QStringLiteral("Esta fuente no existe en el equipo.");

// Answers every message box that opens while it lives, as the user would: notes what the box
// says and presses OK.
class MessageAnswerer {
  public:
    struct Seen {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
    };

    MessageAnswerer() {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr && box->isVisible()) {
                seen.push_back({box->windowTitle(), box->text(), box->icon()});
                box->button(QMessageBox::Ok)->click();
            }
        });
        poll_.start(5);
    }

    std::vector<Seen> seen;

  private:
    QTimer poll_;
};

// The row the table shows for a code: three digits, three blanks and the character, a control
// character as its Unicode picture.
QString expectedRow(int code) {
    char16_t c = charOf(static_cast<std::uint8_t>(code));
    if (c < 32) {
        c = static_cast<char16_t>(0x2400 + c);
    } else if (c == 127) {
        c = 0x2421;
    }
    return QString::number(code).rightJustified(3, QLatin1Char('0')) + QStringLiteral("   ") +
           QChar(c);
}

QString expectedColumn(int first, int last) {
    QStringList rows;
    for (int code = first; code <= last; ++code) {
        rows << expectedRow(code);
    }
    return rows.join(QStringLiteral("\r\n"));
}

class FrmScrollTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const QPointer<FrmScroll>& window : windows_) {
            delete window.data();
        }
    }

    FrmScroll* openTable() {
        auto* window = new FrmScroll(sFont);
        window->show();
        windows_.push_back(window);
        return window;
    }

    static void tick(FrmScroll* window, int times) {
        for (int i = 0; i < times; ++i) {
            window->tmrOpen_Timer();
        }
    }

    static void expectColumnFonts(FrmScroll* window, const QString& family) {
        for (CodeColumn* column : {window->txtA, window->txtB, window->txtC, window->txtD}) {
            EXPECT_EQ(column->font().family(), family);
            EXPECT_DOUBLE_EQ(column->font().pointSizeF(), 14.25);
        }
    }

    QString sFont = QStringLiteral("Segoe UI");  // as the main window's load sets it
    MessageAnswerer messages;

  private:
    std::vector<QPointer<FrmScroll>> windows_;
};

TEST_F(FrmScrollTest, OpensAsDesigned) {
    FrmScroll* window = openTable();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Lista de código ASCII"));
    EXPECT_EQ(window->size(), QSize(393, 289));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(window->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(0xF5, 0xF5, 0xF5));
    EXPECT_EQ(window->txtA->geometry(), QRect(8, 8, 89, 241));
    EXPECT_EQ(window->txtD->geometry(), QRect(296, 8, 89, 241));
    EXPECT_EQ(window->txtB->palette().color(QPalette::Base), QColor(0x14, 0xD2, 0xE6));
    EXPECT_EQ(window->txtC->palette().color(QPalette::Base), QColor(0x14, 0xAA, 0xE6));
    EXPECT_TRUE(window->txtA->isReadOnly());
    EXPECT_EQ(window->txtA->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(window->lblRe->geometry(), QRect(8, 256, 281, 25));
    EXPECT_EQ(window->txtFont->geometry(), QRect(16, 256, 265, 25));
    EXPECT_EQ(window->cmdFont->geometry(), QRect(296, 256, 89, 25));
    EXPECT_EQ(window->shpFont->geometry(), window->cmdFont->geometry());
    EXPECT_EQ(window->cmdFont->text(), QStringLiteral("Abrir"));
    EXPECT_EQ(window->cmdFont->toolTip(), QStringLiteral(" Mover "));
    EXPECT_FALSE(window->shpFont->isFilled());
    EXPECT_EQ(window->txtFont->text(), QStringLiteral("Segoe UI"));
    EXPECT_TRUE(window->tmrOpen->isActive());
    EXPECT_EQ(window->tmrOpen->interval(), 10);
    expectColumnFonts(window, QStringLiteral("Segoe UI"));
    EXPECT_TRUE(messages.seen.empty());
}

TEST_F(FrmScrollTest, FirstTickWritesTheFirstRowOfEachColumn) {
    FrmScroll* window = openTable();
    EXPECT_TRUE(window->txtA->text().isEmpty());
    window->tmrOpen_Timer();
    EXPECT_EQ(window->txtA->text(), QStringLiteral("001   \u2401\r\n"));
    EXPECT_EQ(window->txtB->text(), QStringLiteral("032    \r\n"));
    EXPECT_EQ(window->txtC->text(), QStringLiteral("128   \u20AC\r\n"));
    EXPECT_EQ(window->txtD->text(), QStringLiteral("192   \u00C0\r\n"));
}

TEST_F(FrmScrollTest, After31TicksTheFirstColumnIsCompleteWithoutTrailingBreak) {
    FrmScroll* window = openTable();
    tick(window, 31);
    EXPECT_EQ(window->txtA->text(), expectedColumn(1, 31));
    EXPECT_TRUE(window->txtA->text().endsWith(QStringLiteral("031   \u241F")));
    EXPECT_EQ(window->txtB->text(), expectedColumn(32, 62) + QStringLiteral("\r\n"));
    // Every row on a line of its own: the control characters break no row.
    EXPECT_EQ(window->txtA->document()->blockCount(), 31);
    EXPECT_EQ(window->txtA->text().count(QLatin1Char('\r')), 30);
    EXPECT_EQ(window->txtA->text().count(QLatin1Char('\n')), 30);
    EXPECT_EQ(window->txtA->text().count(QLatin1Char('\t')), 0);
}

TEST_F(FrmScrollTest, After96TicksEveryColumnIsComplete) {
    FrmScroll* window = openTable();
    tick(window, 96);
    EXPECT_EQ(window->txtA->text(), expectedColumn(1, 31));
    EXPECT_EQ(window->txtB->text(), expectedColumn(32, 127));
    EXPECT_EQ(window->txtC->text(), expectedColumn(128, 191));
    EXPECT_EQ(window->txtD->text(), expectedColumn(192, 255));
    EXPECT_EQ(window->txtB->document()->blockCount(), 96);
    EXPECT_EQ(window->txtD->document()->blockCount(), 64);
    EXPECT_EQ(window->txtB->toPlainText(),
              QString(window->txtB->text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

struct RowCase {
    int code;
    const char16_t* row;
};

void PrintTo(const RowCase& rowCase, std::ostream* out) {
    *out << "code " << rowCase.code;
}

class FrmScrollRowTest : public FrmScrollTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(FrmScrollRowTest, ShowsTheRowOfTheCode) {
    FrmScroll* window = openTable();
    tick(window, 96);
    const int code = GetParam().code;
    CodeColumn* column = code < 32    ? window->txtA
                         : code < 128 ? window->txtB
                         : code < 192 ? window->txtC
                                      : window->txtD;
    const int first = code < 32 ? 1 : code < 128 ? 32 : code < 192 ? 128 : 192;
    const QStringList rows = column->text().split(QStringLiteral("\r\n"));
    ASSERT_LT(code - first, rows.size());
    EXPECT_EQ(rows[code - first], QString::fromUtf16(GetParam().row));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrmScrollRowTest,
    ::testing::Values(RowCase{1, u"001   \u2401"}, RowCase{9, u"009   \u2409"},
                      RowCase{10, u"010   \u240A"}, RowCase{13, u"013   \u240D"},
                      RowCase{31, u"031   \u241F"}, RowCase{32, u"032    "},
                      RowCase{65, u"065   A"}, RowCase{126, u"126   ~"},
                      RowCase{127, u"127   \u2421"}, RowCase{128, u"128   \u20AC"},
                      RowCase{129, u"129   \u0081"}, RowCase{157, u"157   \u009D"},
                      RowCase{159, u"159   \u0178"}, RowCase{191, u"191   \u00BF"},
                      RowCase{192, u"192   \u00C0"}, RowCase{255, u"255   \u00FF"}),
    [](const auto& info) { return "Code" + std::to_string(info.param.code); });

class FrmScrollFontRowsTest : public FrmScrollTest,
                              public ::testing::WithParamInterface<const char*> {};

// Each row on one line in the designed font and in a wider one; the columns keep their size.
TEST_P(FrmScrollFontRowsTest, EveryRowTakesOneLine) {
    sFont = QString::fromLatin1(GetParam());
    FrmScroll* window = openTable();
    ASSERT_TRUE(messages.seen.empty()) << "the font is installed";
    tick(window, 96);
    for (CodeColumn* column : {window->txtA, window->txtB, window->txtC, window->txtD}) {
        EXPECT_EQ(column->size(), QSize(89, 241));
        QAbstractTextDocumentLayout* layout = column->document()->documentLayout();
        for (QTextBlock row = column->document()->begin(); row.isValid(); row = row.next()) {
            layout->blockBoundingRect(row);  // lays the row out
            EXPECT_EQ(row.layout()->lineCount(), 1) << row.text().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fonts, FrmScrollFontRowsTest,
                         ::testing::Values("Segoe UI", "DejaVu Serif"), [](const auto& info) {
                             std::string name = info.param;
                             std::erase(name, ' ');
                             return name;
                         });

// The five codes Windows-1252 leaves undefined have no glyph; each shows as its own code.
TEST_F(FrmScrollTest, UndefinedCodesShowAsTheirCodes) {
    FrmScroll* window = openTable();
    tick(window, 96);
    CodeColumn* column = window->txtC;  // 128 to 191
    std::vector<QImage> cells;
    for (int code : {129, 141, 143, 144, 157}) {
        const QTextBlock row = column->document()->findBlockByNumber(code - 128);
        column->verticalScrollBar()->setValue(code - 128);
        QTextCursor at(row);
        at.setPosition(row.position() + 6);
        const QRect before = column->cursorRect(at);
        at.setPosition(row.position() + 7);
        const QRect after = column->cursorRect(at);
        const QRect cell(before.topLeft(), QPoint(after.left() - 1, before.bottom()));
        ASSERT_GT(cell.width(), 4) << code;
        cells.push_back(column->viewport()->grab().toImage().copy(cell));
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        for (std::size_t j = i + 1; j < cells.size(); ++j) {
            EXPECT_NE(cells[i], cells[j]) << i << " and " << j << " look alike";
        }
    }
}

TEST_F(FrmScrollTest, TimerStopsOnceEveryColumnIsComplete) {
    FrmScroll* window = openTable();
    tick(window, 95);
    EXPECT_TRUE(window->tmrOpen->isActive());
    window->tmrOpen_Timer();
    EXPECT_FALSE(window->tmrOpen->isActive());
    const QString complete = window->txtB->text();
    window->tmrOpen_Timer();
    EXPECT_EQ(window->txtB->text(), complete);
}

TEST_F(FrmScrollTest, ColumnsFillByThemselves) {
    FrmScroll* window = openTable();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->tmrOpen->isActive(); }, 20000));
    EXPECT_EQ(window->txtB->text(), expectedColumn(32, 127));
}

class FrmScrollGoodFontTest : public FrmScrollTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(FrmScrollGoodFontTest, AbrirReopensWithTheFont) {
    const QString family = QString::fromLatin1(GetParam());
    FrmScroll* window = openTable();
    tick(window, 40);
    window->txtFont->setText(family);
    QTest::mouseClick(window->cmdFont, Qt::LeftButton);
    EXPECT_TRUE(messages.seen.empty());
    EXPECT_EQ(sFont, family);
    expectColumnFonts(window, family);
    EXPECT_EQ(window->txtFont->text(), family);
    // The columns fill again from empty.
    EXPECT_TRUE(window->txtB->text().isEmpty());
    EXPECT_TRUE(window->tmrOpen->isActive());
    window->tmrOpen_Timer();
    EXPECT_EQ(window->txtB->text(), expectedRow(32) + QStringLiteral("\r\n"));
}

// Installed fonts and a designed font that is present through its substitute.
INSTANTIATE_TEST_SUITE_P(Fonts, FrmScrollGoodFontTest,
                         ::testing::Values("Carlito", "Open Sans", "Calibri", "Segoe UI"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::erase(name, ' ');
                             return name;
                         });

TEST_F(FrmScrollTest, AbrirWithAMissingFontShowsTheMessageAndKeepsTheDesignedFonts) {
    sFont = QStringLiteral("Carlito");
    FrmScroll* window = openTable();
    expectColumnFonts(window, QStringLiteral("Carlito"));
    window->txtFont->setText(kMissingFont);
    QTest::mouseClick(window->cmdFont, Qt::LeftButton);
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(messages.seen[0].caption, QStringLiteral("Trelvane"));
    EXPECT_EQ(messages.seen[0].text, kFontMessage);
    EXPECT_EQ(messages.seen[0].icon, QMessageBox::Critical);
    // The name is kept as typed; the window opens and fills in its designed fonts.
    EXPECT_EQ(sFont, kMissingFont);
    expectColumnFonts(window, QStringLiteral("Segoe UI"));
    EXPECT_EQ(window->txtFont->text(), QStringLiteral("Arial"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->tmrOpen->isActive());
}

TEST_F(FrmScrollTest, OpeningWithAMissingFontShowsTheMessageEachTime) {
    sFont = kMissingFont;
    for (int opening = 1; opening <= 2; ++opening) {
        FrmScroll* window = openTable();
        ASSERT_EQ(messages.seen.size(), static_cast<std::size_t>(opening));
        EXPECT_EQ(messages.seen.back().text, kFontMessage);
        EXPECT_EQ(sFont, kMissingFont);
        expectColumnFonts(window, QStringLiteral("Segoe UI"));
        EXPECT_EQ(window->txtFont->text(), QStringLiteral("Arial"));
        window->close();
    }
}

TEST_F(FrmScrollTest, EmptyFontNameIsMissing) {
    FrmScroll* window = openTable();
    window->txtFont->clear();
    QTest::mouseClick(window->cmdFont, Qt::LeftButton);
    ASSERT_EQ(messages.seen.size(), 1u);
    expectColumnFonts(window, QStringLiteral("Segoe UI"));
}

class FrmScrollEnterTest : public FrmScrollTest, public ::testing::WithParamInterface<Qt::Key> {};

TEST_P(FrmScrollEnterTest, EnterInTheFontBoxDoesWhatAbrirDoes) {
    FrmScroll* window = openTable();
    window->txtFont->clear();
    QTest::keyClicks(window->txtFont, QStringLiteral("Carlito"));
    EXPECT_EQ(window->txtFont->text(), QStringLiteral("Carlito"));
    EXPECT_EQ(sFont, QStringLiteral("Segoe UI"));
    QTest::keyClick(window->txtFont, GetParam());
    EXPECT_EQ(sFont, QStringLiteral("Carlito"));
    expectColumnFonts(window, QStringLiteral("Carlito"));

    window->txtFont->clear();
    QTest::keyClicks(window->txtFont, kMissingFont);
    QTest::keyClick(window->txtFont, GetParam());
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(messages.seen[0].text, kFontMessage);
    expectColumnFonts(window, QStringLiteral("Segoe UI"));
    EXPECT_EQ(window->txtFont->text(), QStringLiteral("Arial"));
}

INSTANTIATE_TEST_SUITE_P(Keys, FrmScrollEnterTest, ::testing::Values(Qt::Key_Return, Qt::Key_Enter),
                         [](const auto& info) {
                             return std::string(info.param == Qt::Key_Return ? "Return" : "Enter");
                         });

TEST_F(FrmScrollTest, FontIsKeptAcrossClosingAndReopening) {
    QPointer<FrmScroll> first = openTable();
    first->txtFont->setText(QStringLiteral("Carlito"));
    QTest::keyClick(first->txtFont, Qt::Key_Return);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    FrmScroll* second = openTable();
    expectColumnFonts(second, QStringLiteral("Carlito"));
    EXPECT_EQ(second->txtFont->text(), QStringLiteral("Carlito"));
    EXPECT_TRUE(second->txtA->text().isEmpty());
    EXPECT_TRUE(messages.seen.empty());
}

TEST_F(FrmScrollTest, AbrirShowsItsPressAndReleasingOutsideOpensNothing) {
    FrmScroll* window = openTable();
    tick(window, 5);
    window->txtFont->setText(QStringLiteral("Carlito"));
    QTest::mousePress(window->cmdFont, Qt::LeftButton);
    EXPECT_TRUE(window->shpFont->isFilled());
    // Filled, the shape shows #E0E0E0 over the light ground and its #C0C0C0 border.
    const QImage pressed = window->grab().toImage();
    const QPoint corner = window->cmdFont->geometry().topLeft();
    EXPECT_EQ(pressed.pixelColor(corner + QPoint(3, 3)), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(pressed.pixelColor(corner), QColor(0xC0, 0xC0, 0xC0));

    QTest::mouseRelease(window->cmdFont, Qt::LeftButton, {}, QPoint(-20, 5));
    EXPECT_FALSE(window->shpFont->isFilled());
    EXPECT_EQ(window->grab().toImage().pixelColor(corner + QPoint(3, 3)), QColor(0xF5, 0xF5, 0xF5));
    EXPECT_EQ(sFont, QStringLiteral("Segoe UI"));
    EXPECT_EQ(window->txtFont->text(), QStringLiteral("Carlito"));
    EXPECT_EQ(window->txtA->text().count(QStringLiteral("\r\n")), 5);
}

TEST_F(FrmScrollTest, PictureOfTheFullTable) {
    FrmScroll* window = openTable();
    tick(window, 96);
    for (CodeColumn* column : {window->txtA, window->txtB, window->txtC, window->txtD}) {
        column->verticalScrollBar()->setValue(0);
    }
    const QImage picture = window->grab().toImage();
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(0xF5, 0xF5, 0xF5));
    savePicture(*window, QStringLiteral("table"));

    window->txtA->verticalScrollBar()->setValue(window->txtA->verticalScrollBar()->maximum());
    window->txtB->verticalScrollBar()->setValue(window->txtB->verticalScrollBar()->maximum());
    savePicture(*window, QStringLiteral("table-scrolled"));
}

}  // namespace
}  // namespace trelvane
