// SPDX-License-Identifier: MIT
// The code table window driven headless: its rows tick by tick, its timer, the font box with
// "Abrir" and Enter, the press look of "Abrir", and a picture of the whole window.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "codepage.h"
#include "frm_scroll.h"
#include "pictures.h"
#include "table_window_probe.h"

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

    // Opens the table in sFont and, as the main window does, keeps the font it reports.
    TableWindowProbe openTable() {
        auto* window = new FrmScroll(sFont);
        QObject::connect(window, &FrmScroll::fontChosen, window,
                         [this](const QString& family) { sFont = family; });
        window->show();
        windows_.push_back(window);
        return TableWindowProbe(*window);
    }

    static void tick(TableWindowProbe& table, int times) {
        for (int i = 0; i < times; ++i) {
            table.tmrOpen_Timer();
        }
    }

    static void expectColumnFonts(TableWindowProbe& table, const QString& family) {
        for (CodeColumn* column : {table.txtA, table.txtB, table.txtC, table.txtD}) {
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
    TableWindowProbe table = openTable();
    EXPECT_EQ(table.window.windowTitle(), QStringLiteral("Lista de código ASCII"));
    EXPECT_EQ(table.window.size(), QSize(393, 289));
    EXPECT_EQ(table.window.minimumSize(), table.window.maximumSize());
    EXPECT_TRUE(table.window.testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(table.window.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    EXPECT_EQ(table.window.palette().color(QPalette::Window), QColor(0xF5, 0xF5, 0xF5));
    EXPECT_EQ(table.txtA->geometry(), QRect(8, 8, 89, 241));
    EXPECT_EQ(table.txtD->geometry(), QRect(296, 8, 89, 241));
    EXPECT_EQ(table.txtB->palette().color(QPalette::Base), QColor(0x14, 0xD2, 0xE6));
    EXPECT_EQ(table.txtC->palette().color(QPalette::Base), QColor(0x14, 0xAA, 0xE6));
    EXPECT_TRUE(table.txtA->isReadOnly());
    EXPECT_EQ(table.txtA->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(table.lblRe->geometry(), QRect(8, 256, 281, 25));
    EXPECT_EQ(table.txtFont->geometry(), QRect(16, 256, 265, 25));
    EXPECT_EQ(table.cmdFont->geometry(), QRect(296, 256, 89, 25));
    EXPECT_EQ(table.shpFont->geometry(), table.cmdFont->geometry());
    EXPECT_EQ(table.cmdFont->text(), QStringLiteral("Abrir"));
    EXPECT_EQ(table.cmdFont->toolTip(), QStringLiteral(" Mover "));
    EXPECT_FALSE(table.shpFont->isFilled());
    EXPECT_EQ(table.txtFont->text(), QStringLiteral("Segoe UI"));
    EXPECT_TRUE(table.tmrOpen->isActive());
    EXPECT_EQ(table.tmrOpen->interval(), 10);
    expectColumnFonts(table, QStringLiteral("Segoe UI"));
    EXPECT_TRUE(messages.seen.empty());
}

// Each tick writes the next row of every column that is not yet complete.
TEST_F(FrmScrollTest, TheTicksFillTheColumnsRowByRow) {
    TableWindowProbe table = openTable();
    EXPECT_TRUE(table.txtA->text().isEmpty());
    table.tmrOpen_Timer();
    EXPECT_EQ(table.txtA->text(), QStringLiteral("001   \u2401\r\n"));
    EXPECT_EQ(table.txtB->text(), QStringLiteral("032    \r\n"));
    EXPECT_EQ(table.txtC->text(), QStringLiteral("128   \u20AC\r\n"));
    EXPECT_EQ(table.txtD->text(), QStringLiteral("192   \u00C0\r\n"));

    // After 31 ticks the first column is complete, without a trailing break.
    tick(table, 30);
    EXPECT_EQ(table.txtA->text(), expectedColumn(1, 31));
    EXPECT_TRUE(table.txtA->text().endsWith(QStringLiteral("031   \u241F")));
    EXPECT_EQ(table.txtB->text(), expectedColumn(32, 62) + QStringLiteral("\r\n"));
    // Every row on a line of its own: the control characters break no row.
    EXPECT_EQ(table.txtA->document()->blockCount(), 31);
    EXPECT_EQ(table.txtA->text().count(QLatin1Char('\r')), 30);
    EXPECT_EQ(table.txtA->text().count(QLatin1Char('\n')), 30);
    EXPECT_EQ(table.txtA->text().count(QLatin1Char('\t')), 0);

    // After 96 ticks every column is complete.
    tick(table, 65);
    EXPECT_EQ(table.txtA->text(), expectedColumn(1, 31));
    EXPECT_EQ(table.txtB->text(), expectedColumn(32, 127));
    EXPECT_EQ(table.txtC->text(), expectedColumn(128, 191));
    EXPECT_EQ(table.txtD->text(), expectedColumn(192, 255));
    EXPECT_EQ(table.txtB->document()->blockCount(), 96);
    EXPECT_EQ(table.txtD->document()->blockCount(), 64);
    EXPECT_EQ(table.txtB->toPlainText(),
              QString(table.txtB->text()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
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
    TableWindowProbe table = openTable();
    tick(table, 96);
    const int code = GetParam().code;
    CodeColumn* column = code < 32    ? table.txtA
                         : code < 128 ? table.txtB
                         : code < 192 ? table.txtC
                                      : table.txtD;
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

// Each row on one line, as tall as its glyphs, in the designed font and in a wider one; the
// columns keep their size.
TEST_P(FrmScrollFontRowsTest, EveryRowTakesOneLine) {
    sFont = QString::fromLatin1(GetParam());
    TableWindowProbe table = openTable();
    ASSERT_TRUE(messages.seen.empty()) << "the font is installed";
    tick(table, 96);
    for (CodeColumn* column : {table.txtA, table.txtB, table.txtC, table.txtD}) {
        EXPECT_EQ(column->size(), QSize(89, 241));
        QAbstractTextDocumentLayout* layout = column->document()->documentLayout();
        for (QTextBlock row = column->document()->begin(); row.isValid(); row = row.next()) {
            layout->blockBoundingRect(row);  // lays the row out
            EXPECT_EQ(row.layout()->lineCount(), 1) << row.text().toStdString();
            // The row is as tall as the ink of its glyphs, fallback fonts included.
            const QTextLine line = row.layout()->lineAt(0);
            const QRectF ink = QFontMetricsF(column->font()).tightBoundingRect(row.text());
            EXPECT_LE(-ink.top(), std::ceil(line.ascent())) << row.text().toStdString();
            EXPECT_LE(ink.bottom(), std::ceil(line.descent())) << row.text().toStdString();
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
    TableWindowProbe table = openTable();
    tick(table, 96);
    CodeColumn* column = table.txtC;  // 128 to 191
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
    TableWindowProbe table = openTable();
    tick(table, 95);
    EXPECT_TRUE(table.tmrOpen->isActive());
    table.tmrOpen_Timer();
    EXPECT_FALSE(table.tmrOpen->isActive());
    const QString complete = table.txtB->text();
    table.tmrOpen_Timer();
    EXPECT_EQ(table.txtB->text(), complete);
}

TEST_F(FrmScrollTest, ColumnsFillByThemselves) {
    TableWindowProbe table = openTable();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !table.tmrOpen->isActive(); }, 20000));
    EXPECT_EQ(table.txtB->text(), expectedColumn(32, 127));
}

class FrmScrollGoodFontTest : public FrmScrollTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(FrmScrollGoodFontTest, AbrirReopensWithTheFont) {
    const QString family = QString::fromLatin1(GetParam());
    TableWindowProbe table = openTable();
    tick(table, 40);
    table.txtFont->setText(family);
    QTest::mouseClick(table.cmdFont, Qt::LeftButton);
    EXPECT_TRUE(messages.seen.empty());
    EXPECT_EQ(sFont, family);
    expectColumnFonts(table, family);
    EXPECT_EQ(table.txtFont->text(), family);
    // The columns fill again from empty.
    EXPECT_TRUE(table.txtB->text().isEmpty());
    EXPECT_TRUE(table.tmrOpen->isActive());
    table.tmrOpen_Timer();
    EXPECT_EQ(table.txtB->text(), expectedRow(32) + QStringLiteral("\r\n"));
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
    TableWindowProbe table = openTable();
    expectColumnFonts(table, QStringLiteral("Carlito"));
    table.txtFont->setText(kMissingFont);
    QTest::mouseClick(table.cmdFont, Qt::LeftButton);
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(messages.seen[0].caption, QStringLiteral("Trelvane"));
    EXPECT_EQ(messages.seen[0].text, kFontMessage);
    EXPECT_EQ(messages.seen[0].icon, QMessageBox::Critical);
    // The name is kept as typed; the window opens and fills in its designed fonts.
    EXPECT_EQ(sFont, kMissingFont);
    expectColumnFonts(table, QStringLiteral("Segoe UI"));
    EXPECT_EQ(table.txtFont->text(), QStringLiteral("Arial"));
    EXPECT_TRUE(table.window.isVisible());
    EXPECT_TRUE(table.tmrOpen->isActive());
}

TEST_F(FrmScrollTest, OpeningWithAMissingFontShowsTheMessageEachTime) {
    sFont = kMissingFont;
    for (int opening = 1; opening <= 2; ++opening) {
        TableWindowProbe table = openTable();
        ASSERT_EQ(messages.seen.size(), static_cast<std::size_t>(opening));
        EXPECT_EQ(messages.seen.back().text, kFontMessage);
        EXPECT_EQ(sFont, kMissingFont);
        expectColumnFonts(table, QStringLiteral("Segoe UI"));
        EXPECT_EQ(table.txtFont->text(), QStringLiteral("Arial"));
        table.window.close();
    }
}

TEST_F(FrmScrollTest, EmptyFontNameIsMissing) {
    TableWindowProbe table = openTable();
    table.txtFont->clear();
    QTest::mouseClick(table.cmdFont, Qt::LeftButton);
    ASSERT_EQ(messages.seen.size(), 1u);
    expectColumnFonts(table, QStringLiteral("Segoe UI"));
}

class FrmScrollEnterTest : public FrmScrollTest, public ::testing::WithParamInterface<Qt::Key> {};

TEST_P(FrmScrollEnterTest, EnterInTheFontBoxDoesWhatAbrirDoes) {
    TableWindowProbe table = openTable();
    table.txtFont->clear();
    QTest::keyClicks(table.txtFont, QStringLiteral("Carlito"));
    EXPECT_EQ(table.txtFont->text(), QStringLiteral("Carlito"));
    EXPECT_EQ(sFont, QStringLiteral("Segoe UI"));
    QTest::keyClick(table.txtFont, GetParam());
    EXPECT_EQ(sFont, QStringLiteral("Carlito"));
    expectColumnFonts(table, QStringLiteral("Carlito"));

    table.txtFont->clear();
    QTest::keyClicks(table.txtFont, kMissingFont);
    QTest::keyClick(table.txtFont, GetParam());
    ASSERT_EQ(messages.seen.size(), 1u);
    EXPECT_EQ(messages.seen[0].text, kFontMessage);
    expectColumnFonts(table, QStringLiteral("Segoe UI"));
    EXPECT_EQ(table.txtFont->text(), QStringLiteral("Arial"));
}

INSTANTIATE_TEST_SUITE_P(Keys, FrmScrollEnterTest, ::testing::Values(Qt::Key_Return, Qt::Key_Enter),
                         [](const auto& info) {
                             return std::string(info.param == Qt::Key_Return ? "Return" : "Enter");
                         });

TEST_F(FrmScrollTest, FontIsKeptAcrossClosingAndReopening) {
    TableWindowProbe firstTable = openTable();
    QPointer<FrmScroll> first = &firstTable.window;
    firstTable.txtFont->setText(QStringLiteral("Carlito"));
    QTest::keyClick(firstTable.txtFont, Qt::Key_Return);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    TableWindowProbe second = openTable();
    expectColumnFonts(second, QStringLiteral("Carlito"));
    EXPECT_EQ(second.txtFont->text(), QStringLiteral("Carlito"));
    EXPECT_TRUE(second.txtA->text().isEmpty());
    EXPECT_TRUE(messages.seen.empty());
}

TEST_F(FrmScrollTest, AbrirShowsItsPressAndReleasingOutsideOpensNothing) {
    TableWindowProbe table = openTable();
    tick(table, 5);
    table.txtFont->setText(QStringLiteral("Carlito"));
    QTest::mousePress(table.cmdFont, Qt::LeftButton);
    EXPECT_TRUE(table.shpFont->isFilled());
    // Filled, the shape shows #E0E0E0 over the light ground and its #C0C0C0 border.
    const QImage pressed = table.window.grab().toImage();
    const QPoint corner = table.cmdFont->geometry().topLeft();
    EXPECT_EQ(pressed.pixelColor(corner + QPoint(3, 3)), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(pressed.pixelColor(corner), QColor(0xC0, 0xC0, 0xC0));

    QTest::mouseRelease(table.cmdFont, Qt::LeftButton, {}, QPoint(-20, 5));
    EXPECT_FALSE(table.shpFont->isFilled());
    EXPECT_EQ(table.window.grab().toImage().pixelColor(corner + QPoint(3, 3)),
              QColor(0xF5, 0xF5, 0xF5));
    EXPECT_EQ(sFont, QStringLiteral("Segoe UI"));
    EXPECT_EQ(table.txtFont->text(), QStringLiteral("Carlito"));
    EXPECT_EQ(table.txtA->text().count(QStringLiteral("\r\n")), 5);
}

TEST_F(FrmScrollTest, PictureOfTheFullTable) {
    TableWindowProbe table = openTable();
    tick(table, 96);
    for (CodeColumn* column : {table.txtA, table.txtB, table.txtC, table.txtD}) {
        column->verticalScrollBar()->setValue(0);
    }
    const QImage picture = table.window.grab().toImage();
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(0xF5, 0xF5, 0xF5));
    savePicture(table.window, QStringLiteral("table"));

    table.txtA->verticalScrollBar()->setValue(table.txtA->verticalScrollBar()->maximum());
    table.txtB->verticalScrollBar()->setValue(table.txtB->verticalScrollBar()->maximum());
    savePicture(table.window, QStringLiteral("table-scrolled"));
}

}  // namespace
}  // namespace trelvane
