// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "qstring_printer.h"

#include <new>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QImage>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>

#include "code_edit.h"
#include "pictures.h"
#include "primary_selection.h"

namespace trelvane {
namespace {

using namespace std::string_literals;

// A shown box with the focus, the way the user meets it.
class CodeEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        edit.resize(300, 100);
        edit.show();
        edit.activateWindow();
        edit.setFocus();
        QApplication::processEvents();
    }

    CodeEdit edit;
};

TEST_F(CodeEditTest, ProgramWriteOfADifferentTextRaisesOneChangeBeforeItReturns) {
    int changes = 0;
    QString seenInHandler;
    QObject::connect(&edit, &CodeEdit::changed, [&] {
        ++changes;
        seenInHandler = edit.text();
    });
    edit.setText(QStringLiteral("hola"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seenInHandler, QStringLiteral("hola"));
    edit.setText(QStringLiteral("hola"));
    EXPECT_EQ(changes, 1) << "an identical text raises no change";
    edit.setText(QString());
    EXPECT_EQ(changes, 2);
}

// Every character code survives a program write and reads back exactly.
class RoundTrip : public CodeEditTest, public ::testing::WithParamInterface<std::u16string> {};

TEST_P(RoundTrip, ReadsBackWhatWasWritten) {
    const QString written = QString::fromStdU16String(GetParam());
    edit.setText(written);
    EXPECT_EQ(edit.text(), written);
    // And it stays so after an edit of the user elsewhere in the text.
    edit.moveCaretToEnd();
    QTest::keyClick(&edit, Qt::Key_Z, Qt::NoModifier);
    EXPECT_EQ(edit.text(), written + QStringLiteral("z"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), written);
}

INSTANTIATE_TEST_SUITE_P(ControlAndSpecialCharacters, RoundTrip,
                         ::testing::Values(u"a\rb", u"\r\n", u"uno\r\ndos\n\rtres", u"cero\0cero"s,
                                           u"\t\x7f\x1b\x01", u"no\u00a0break", u"\n\n\n",
                                           u"line\u2028sep", u"\u240d is a picture",
                                           u"\u0081\u008d\u008f\u0090\u009d", u"\u20ac\u0161\u00ff",
                                           u"A\0B\rC"s));

TEST_F(CodeEditTest, ControlCharactersShowAsPicturesAndLineFeedsAsLineBreaks) {
    edit.setText(QStringLiteral("a\rb\nc\td") + QChar(u'\0'));
    // Only the line feed breaks the line; the carriage return stays on it, as a picture.
    EXPECT_EQ(edit.lineCount(), 2);
    EXPECT_EQ(edit.lineStart(1), 4);
}

TEST_F(CodeEditTest, TypingRaisesOneChangePerCharacterAndEnterInsertsALineFeed) {
    QSignalSpy changes(&edit, &CodeEdit::changed);
    QTest::keyClicks(&edit, QStringLiteral("ab"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QTest::keyClicks(&edit, QStringLiteral("c"));
    EXPECT_EQ(changes.count(), 4);
    EXPECT_EQ(edit.text(), QStringLiteral("ab\nc"));
}

// The handler sees each key's code; zero discards the key, another code replaces it.
TEST_F(CodeEditTest, KeyPressSeesTheCodeAndZeroDiscardsAndAnotherReplaces) {
    QList<int> seen;
    QObject::connect(&edit, &CodeEdit::keyPress, [&](int& code) {
        seen.append(code);
        if (code == 'x') {
            code = 0;
        } else if (code == 'b') {
            code = 'C';
        }
    });
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_X, Qt::Key_B, Qt::Key_Return, Qt::Key_Backspace}) {
        QTest::keyClick(&edit, key);
    }
    EXPECT_EQ(seen, (QList<int>{'a', 'x', 'b', 13, 8}));
    EXPECT_EQ(edit.text(), QStringLiteral("aC"));
}

TEST_F(CodeEditTest, AComposedCharacterPassesTheKeyHandling) {
    QObject::connect(&edit, &CodeEdit::keyPress, [](int& code) {
        if (code == 0xE9) {
            code = 0;
        }
    });
    for (const char16_t* composed : {u"\u00f1", u"\u00e9"}) {
        QInputMethodEvent event;
        event.setCommitString(QString::fromUtf16(composed));
        QApplication::sendEvent(&edit, &event);
    }
    EXPECT_EQ(edit.text(), QStringLiteral("\u00f1"));
}

TEST_F(CodeEditTest, MoveCaretToEndLeavesNothingSelected) {
    edit.setText(QStringLiteral("uno\ndos"));
    edit.selectAll();
    edit.moveCaretToEnd();
    EXPECT_EQ(edit.caretPosition(), 7);
    EXPECT_FALSE(edit.hasSelection());
}

TEST_F(CodeEditTest, UserMaximumLengthLimitsTypingButNotProgramWrites) {
    edit.setUserMaxLength(5);
    QTest::keyClicks(&edit, QStringLiteral("abcdefg"));
    EXPECT_EQ(edit.text(), QStringLiteral("abcde"));
    const QString longText(600, QLatin1Char('0'));
    edit.setText(longText);
    EXPECT_EQ(edit.text(), longText);
    // Over the limit already: nothing more can be typed, but a deletion works.
    edit.moveCaretToEnd();
    QTest::keyClick(&edit, Qt::Key_1);
    EXPECT_EQ(edit.text().size(), 600);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text().size(), 599);
}

TEST_F(CodeEditTest, TypingOverASelectionAtTheLimitReplacesIt) {
    edit.setUserMaxLength(3);
    edit.setText(QStringLiteral("abc"));
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Z);
    EXPECT_EQ(edit.text(), QStringLiteral("z"));
}

TEST_F(CodeEditTest, PasteIsCutToTheRoomLeft) {
    edit.setUserMaxLength(6);
    edit.setText(QStringLiteral("abcd"));
    edit.moveCaretToEnd();
    QApplication::clipboard()->setText(QStringLiteral("123456"));
    edit.paste();
    EXPECT_EQ(edit.text(), QStringLiteral("abcd12"));
}

TEST_F(CodeEditTest, CopyAndPasteKeepControlCharacters) {
    const QString written = QStringLiteral("x\ry") + QChar(u'\0');
    edit.setText(written);
    edit.selectAll();
    edit.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), written);
    edit.moveCaretToEnd();
    edit.paste();
    EXPECT_EQ(edit.text(), written + written);
}

TEST_F(CodeEditTest, AHandlerRewritingTheBoxDuringTypingKeepsItsTextAndCaret) {
    // Like the code panel's clean-up: blanks are removed and the caret goes to the end.
    QObject::connect(&edit, &CodeEdit::changed, [&] {
        QString cleaned = edit.text();
        cleaned.remove(QLatin1Char(' '));
        edit.setText(cleaned);
        edit.moveCaretToEnd();
    });
    QTest::keyClicks(&edit, QStringLiteral("01 0"));
    EXPECT_EQ(edit.text(), QStringLiteral("010"));
    EXPECT_EQ(edit.caretPosition(), 3);
}

TEST_F(CodeEditTest, FocusAndClickAreReported) {
    QSignalSpy focus(&edit, &CodeEdit::gotFocus);
    QSignalSpy clicks(&edit, &CodeEdit::clicked);
    edit.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(focus.count(), 0) << "it had the focus already";
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(CodeEditTest, ReadOnlyBoxTakesNoTyping) {
    edit.setReadOnly(true);
    edit.setText(QStringLiteral("01000001"));
    QTest::keyClicks(&edit, QStringLiteral("11"));
    EXPECT_EQ(edit.text(), QStringLiteral("01000001"));
}

TEST_F(CodeEditTest, BackColorIsTheBase) {
    edit.setBackColor(QColor(0x14, 0xAA, 0xE6));
    EXPECT_EQ(edit.backColor(), QColor(0x14, 0xAA, 0xE6));
}

// The width the text may take in the shown box, as the box measures it.
qreal textWidth(const CodeEdit& edit, int line) {
    const int end = line + 1 < edit.lineCount() ? edit.lineStart(line + 1) : edit.text().size();
    const QString shown = edit.text().mid(edit.lineStart(line), end - edit.lineStart(line));
    return QFontMetricsF(edit.font()).horizontalAdvance(shown);
}

TEST_F(CodeEditTest, ALongRunWithoutBlanksBreaksAnywhereAtTheEdge) {
    const QString digits(1000, QLatin1Char('1'));
    edit.setText(digits);
    ASSERT_GT(edit.lineCount(), 2);
    const int perLine = edit.lineStart(1);
    const qreal room = edit.viewport()->width();
    for (int line = 0; line + 1 < edit.lineCount(); ++line) {
        EXPECT_EQ(edit.lineStart(line + 1) - edit.lineStart(line), perLine) << line;
        EXPECT_LE(textWidth(edit, line), room) << line;
    }
    // One more digit would not have fitted.
    EXPECT_GT(QFontMetricsF(edit.font()).horizontalAdvance(digits.left(perLine + 1)), room - 8);
    EXPECT_EQ(edit.lineCount(), (1000 + perLine - 1) / perLine);
}

TEST_F(CodeEditTest, TextWithBlanksBreaksAfterAWord) {
    QString words;
    while (words.size() < 400) {
        words += QStringLiteral("hexadecimal ");
    }
    edit.setText(words);
    ASSERT_GT(edit.lineCount(), 2);
    for (int line = 1; line < edit.lineCount(); ++line) {
        EXPECT_EQ(words.at(edit.lineStart(line) - 1), QLatin1Char(' ')) << line;
        EXPECT_EQ(words.at(edit.lineStart(line)), QLatin1Char('h')) << line;
    }
}

void expectSameLines(const CodeEdit& edited, const CodeEdit& fresh, int step) {
    ASSERT_EQ(edited.lineCount(), fresh.lineCount()) << step;
    for (qsizetype line = 0; line < fresh.lineCount(); ++line) {
        ASSERT_EQ(edited.lineStart(line), fresh.lineStart(line)) << step << " " << line;
    }
}

// An edit lays out again only the lines it changes; the lines must come out as a full layout
// of the new text gives them.
TEST_F(CodeEditTest, LinesAfterAnEditAreTheLinesOfTheNewText) {
    QString words;
    for (int i = 0; words.size() < 600; ++i) {
        words += QString(1 + i % 13, QLatin1Char('a' + i % 26)) + QLatin1Char(i % 7 ? ' ' : '\n');
    }
    edit.setText(words);
    CodeEdit fresh;
    fresh.resize(edit.size());
    fresh.show();
    ASSERT_EQ(fresh.viewport()->width(), edit.viewport()->width());
    struct Edit {
        int line;
        int offset;
        QString keys;
    };
    for (const Edit& e : {Edit{3, 0, QStringLiteral("\b")}, Edit{5, 2, QStringLiteral("  ")},
                          Edit{8, 1, QStringLiteral("\b\b\b\b")},
                          Edit{2, 0, QStringLiteral("xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx")},
                          Edit{6, 0, QStringLiteral("\n")}}) {
        edit.setCaretPosition(edit.lineStart(e.line) + e.offset);
        for (QChar key : e.keys) {
            if (key == QLatin1Char('\b')) {
                QTest::keyClick(&edit, Qt::Key_Backspace);
            } else if (key == QLatin1Char('\n')) {
                QTest::keyClick(&edit, Qt::Key_Return);
            } else {
                QTest::keyClick(&edit, key.toLatin1());
            }
        }
        fresh.setText(edit.text());
        expectSameLines(edit, fresh, e.line);
    }

    // Program writes of random spans, over texts of the kinds that have a layout of their own:
    // runs of binary digits, of blanks and of line feeds, long words, emoji, combining marks,
    // tabs, right-to-left letters, C1 controls, and runs of characters of no width, longer
    // than any line may be.
    std::mt19937 random(11);
    const std::vector<QString> pieces = {
        QString(70, QLatin1Char('0')),
        QStringLiteral("01101001"),
        QString(90, QLatin1Char(' ')),
        QStringLiteral(" "),
        QString(5, QLatin1Char('\n')),
        QStringLiteral("\n"),
        QStringLiteral("hexadecimal "),
        QStringLiteral("72 101 108 108 111 44 32 119 111 114 108 100 33 "),
        QStringLiteral("01001000 01101111 01101100 01100001 "),
        QStringLiteral("4A6F7365"),
        QString(60, QLatin1Char('x')),
        QString(33, QLatin1Char('w')) + QLatin1Char(' '),
        QStringLiteral("mm ") + QString(30, QLatin1Char('i')),
        QStringLiteral("\U0001F600\U0001F64F\u2764"),
        QStringLiteral("Cafe\u0301 "),
        QStringLiteral("\t"),
        QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u0645\u0631\u062D\u0628\u0627 "),
        QStringLiteral("\u0081\u008D\u0090"),
        QString(1500, QChar(0x200B)),
    };
    auto somePieces = [&](int most) {
        QString text;
        const int count = std::uniform_int_distribution<int>(0, most)(random);
        for (int i = 0; i < count; ++i) {
            text +=
                pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(random)];
        }
        return text;
    };
    edit.setText(somePieces(60));
    for (int round = 0; round < 600; ++round) {
        const qsizetype size = edit.text().size();
        // Half the edits start a line, where the lines before depend on them most.
        const qsizetype position = round % 2 == 0
                                       ? edit.lineStart(std::uniform_int_distribution<qsizetype>(
                                             0, edit.lineCount() - 1)(random))
                                       : std::uniform_int_distribution<qsizetype>(0, size)(random);
        const qsizetype removed = std::min<qsizetype>(
            size - position, std::uniform_int_distribution<qsizetype>(0, 40)(random));
        const QString inserted = somePieces(3);
        edit.replaceText(position, removed, inserted);
        fresh.setText(edit.text());
        expectSameLines(edit, fresh, round);
        if (testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

// Texts of digits and blanks, as decimal codes and grouped binary are written, checked line by
// line against the rule itself, at several widths: what a line holds before a blank that may
// hang past the edge fits, and the line could not have taken the next character as well.
TEST_F(CodeEditTest, LinesOfDigitsAndBlanksHoldAllThatFitsAndNoMore) {
    std::mt19937 random(5);
    auto numbers = [&](int most, const QString& between) {
        QString text;
        while (text.size() < 3000) {
            const int digits = std::uniform_int_distribution<int>(1, most)(random);
            for (int i = 0; i < digits; ++i) {
                text += QLatin1Char('0' + std::uniform_int_distribution<int>(0, 9)(random));
            }
            text += between;
        }
        return text;
    };
    const QFontMetricsF metrics(edit.font());
    auto advance = [&](QStringView line) {
        qreal units = 0;
        for (QChar c : line) {
            units += std::lround(metrics.horizontalAdvance(c) * 64);
        }
        return units / 64;
    };
    struct Case {
        QString text;
        int boxWidth;
    };
    for (const Case& c :
         {Case{numbers(3, QStringLiteral(" ")), 300}, Case{numbers(3, QStringLiteral(" ")), 137},
          Case{numbers(8, QStringLiteral(" ")), 450}, Case{numbers(3, QStringLiteral("  ")), 163},
          Case{numbers(70, QStringLiteral(" ")), 250}}) {
        edit.resize(c.boxWidth, 100);
        edit.setText(c.text);
        const qreal room = edit.viewport()->width() - 8;
        for (int line = 0; line + 1 < edit.lineCount(); ++line) {
            const qsizetype start = edit.lineStart(line);
            const qsizetype end = edit.lineStart(line + 1);
            const QStringView text(c.text);
            const qsizetype kept = text.at(end - 1) == QLatin1Char(' ') ? end - 1 : end;
            EXPECT_LE(advance(text.sliced(start, kept - start)), room) << c.boxWidth << " " << line;
            // A line without a blank breaks before the character that overflows, one with a
            // blank after it: either way the next word or character would not have fitted.
            const qsizetype nextBlank = text.indexOf(QLatin1Char(' '), end);
            const qsizetype wordEnd = kept == end || nextBlank < 0 ? end + 1 : nextBlank;
            EXPECT_GT(advance(text.sliced(start, std::max(wordEnd, end + 1) - start)), room)
                << c.boxWidth << " " << line;
        }
    }
}

TEST_F(CodeEditTest, ANarrowerBoxTakesMoreLines) {
    edit.setText(QString(300, QLatin1Char('0')));
    const int wide = edit.lineCount();
    edit.resize(150, 100);
    EXPECT_GT(edit.lineCount(), wide);
}

TEST_F(CodeEditTest, TheCaretFollowsTheKeysAndShiftSelects) {
    edit.setText(QStringLiteral("uno\ndos\ntres"));
    edit.setCaretPosition(0);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.caretPosition(), 4);
    QTest::keyClick(&edit, Qt::Key_End);
    EXPECT_EQ(edit.caretPosition(), 7);
    QTest::keyClick(&edit, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(edit.selectedText(), QStringLiteral("dos"));
    QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(edit.caretPosition(), 12);
    EXPECT_FALSE(edit.hasSelection());
    QTest::keyClick(&edit, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), QStringLiteral("uno\ndos\ntre"));

    // A line broken by wrapping, without a line feed: End stops before the break (before the
    // blank that hangs there), and pressing it again stays on the line.
    for (const QString& wrapped :
         {QString(300, QLatin1Char('1')), QStringLiteral("hexadecimal ").repeated(30)}) {
        edit.setText(wrapped);
        ASSERT_GT(edit.lineCount(), 2);
        const qsizetype start = edit.lineStart(1);
        const qsizetype end = edit.lineStart(2) - 1;
        edit.setCaretPosition(start);
        QTest::keyClick(&edit, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(&edit, Qt::Key_End, Qt::ShiftModifier);
        EXPECT_EQ(edit.lineOf(edit.caretPosition()), 1);
        EXPECT_EQ(edit.selectedText(), wrapped.mid(start, end - start));
        QTest::keyClick(&edit, Qt::Key_End);
        EXPECT_EQ(edit.caretPosition(), end);
    }
}

TEST_F(CodeEditTest, UndoTakesBackTheLastEditAndAgainRedoesIt) {
    QTest::keyClicks(&edit, QStringLiteral("ab"));
    QSignalSpy changes(&edit, &CodeEdit::changed);
    edit.undo();
    EXPECT_EQ(edit.text(), QStringLiteral("a"));
    edit.undo();
    EXPECT_EQ(edit.text(), QStringLiteral("ab"));
    EXPECT_EQ(changes.count(), 2);
    edit.setText(QStringLiteral("program"));
    edit.undo();
    EXPECT_EQ(edit.text(), QStringLiteral("program")) << "a program write is not undone";
}

TEST_F(CodeEditTest, AClickPutsTheCaretUnderThePointer) {
    edit.setText(QStringLiteral("0123456789"));
    const QFontMetricsF metrics(edit.font());
    const int x = 4 + static_cast<int>(metrics.horizontalAdvance(QStringLiteral("01234")));
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x + 1, 8));
    EXPECT_EQ(edit.caretPosition(), 5);
}

TEST_F(CodeEditTest, AMillionDigitsAreLaidOutAndTheEndIsInView) {
    const QString digits(1 << 20, QLatin1Char('0'));
    edit.setText(digits);
    edit.moveCaretToEnd();
    const int perLine = edit.lineStart(1);
    EXPECT_EQ(edit.lineCount(), ((1 << 20) + perLine - 1) / perLine);
    EXPECT_GE(edit.firstVisibleLine() + 1, edit.lineCount() - 5);
    QTest::keyClick(&edit, Qt::Key_1);
    EXPECT_EQ(edit.text().size(), (1 << 20) + 1);
    EXPECT_EQ(edit.text().back(), QLatin1Char('1'));
}

TEST_F(CodeEditTest, PictureOfWrappedTextControlCharactersAndASelection) {
    edit.setText(QStringLiteral("Hola\r\nmundo\tcon\ttabs ") + QChar(u'\0') +
                 QStringLiteral(" \u0081\n") + QString(120, QLatin1Char('1')));
    edit.setCaretPosition(2);
    edit.setCaretPosition(9, true);
    savePicture(edit, QStringLiteral("code-edit"));
    // The selected characters are drawn on the highlight.
    const QImage picture = edit.viewport()->grab().toImage();
    const QColor mark = edit.palette().color(QPalette::Active, QPalette::Highlight);
    int marked = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            marked += picture.pixelColor(x, y) == mark;
        }
    }
    EXPECT_GT(marked, 50);
    // A code that Windows-1252 leaves undefined is drawn, as its code in a box, where it stands.
    const QRect box = edit.characterRect(edit.text().indexOf(QChar(0x81))).toRect();
    ASSERT_GT(box.width(), 8);
    const QColor back = edit.palette().color(QPalette::Base);
    int inked = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            inked += picture.pixelColor(x, y) != back;
        }
    }
    EXPECT_GT(inked, 20);

    // A selected line feed shows as a mark after its line; a break made by wrapping does not.
    const qreal blank = edit.characterRect(5).width();  // the line feed after "Hola\r"
    auto markedAfter = [&](const QImage& image, qsizetype last) {
        const QRectF cell = edit.characterRect(last);
        const QRect after =
            QRectF(cell.right(), cell.top(), blank, cell.height()).adjusted(1, 1, -1, -1).toRect();
        int count = 0;
        for (int y = after.top(); y <= after.bottom(); ++y) {
            for (int x = after.left(); x <= after.right(); ++x) {
                count += image.pixelColor(x, y) == mark;
            }
        }
        return count;
    };
    EXPECT_GT(markedAfter(picture, 4), 0);
    const qsizetype digits = edit.text().indexOf(QLatin1Char('1'));
    const qsizetype wrappedLine = edit.lineOf(digits);
    ASSERT_GT(edit.lineCount(), wrappedLine + 1);
    edit.setSelection(digits, edit.text().size());
    EXPECT_EQ(markedAfter(edit.viewport()->grab().toImage(), edit.lineStart(wrappedLine + 1) - 1),
              0);
}

TEST_F(CodeEditTest, SelectionsBecomeThePrimarySelectionAndAMiddleClickPastesIt) {
    keepPrimarySelectionInProgram();  // where the platform has none, as the headless one
    auto pointAt = [&](qsizetype position) {
        const QRectF cell = edit.characterRect(position);
        return QPoint(static_cast<int>(cell.left()) + 1, static_cast<int>(cell.center().y()));
    };
    edit.setText(QStringLiteral("uno dos tres"));
    edit.setCaretPosition(4);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    }
    EXPECT_EQ(primarySelection(), QStringLiteral("dos")) << "selected with the keys";
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::NoModifier, pointAt(8));
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, Qt::ShiftModifier, pointAt(12));
    EXPECT_EQ(edit.selectedText(), QStringLiteral("tres"));
    EXPECT_EQ(primarySelection(), QStringLiteral("tres")) << "selected with the mouse";
    edit.setSelection(0, 3);
    EXPECT_EQ(primarySelection(), QStringLiteral("tres"))
        << "the program's selection is not offered";

    // A middle click pastes at the point, as Ctrl+V pastes at the caret: cut to the room the
    // limit leaves, no key handling, one change, one undoable edit.
    int keys = 0;
    QObject::connect(&edit, &CodeEdit::keyPress, [&](int&) { ++keys; });
    QSignalSpy changes(&edit, &CodeEdit::changed);
    edit.setUserMaxLength(14);
    QTest::mouseClick(edit.viewport(), Qt::MiddleButton, Qt::NoModifier, pointAt(3));
    EXPECT_EQ(edit.text(), QStringLiteral("unotr dos tres"));
    EXPECT_EQ(edit.caretPosition(), 5);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(keys, 0);
    edit.undo();
    EXPECT_EQ(edit.text(), QStringLiteral("uno dos tres"));
    edit.setReadOnly(true);
    QTest::mouseClick(edit.viewport(), Qt::MiddleButton, Qt::NoModifier, pointAt(3));
    EXPECT_EQ(edit.text(), QStringLiteral("uno dos tres")) << "a read-only box takes no paste";
}

// Combining marks and right-to-left words are shaped for the eye only: the codes read back as
// written, and the caret and the pointer follow what is drawn.
TEST_F(CodeEditTest, ShapedTextReadsBackExactlyAndHitTestingFollowsTheShapedLine) {
    const QString text = QString::fromUtf16(
        u"Cafe\u0301 \u05E9\u05DC\u05D5\u05DD abc \u0645\u0631\u062D\u0628\u0627 \u0081x");
    edit.setText(text);
    EXPECT_EQ(edit.text(), text);

    // The accent sits on its letter, and the caret steps over both at once.
    const QRectF letter = edit.characterRect(3);
    const QRectF accent = edit.characterRect(4);
    EXPECT_GE(accent.left(), letter.left() - 0.5);
    EXPECT_LE(accent.right(), letter.right() + 0.5);
    edit.setCaretPosition(3);
    QTest::keyClick(&edit, Qt::Key_Right);
    EXPECT_EQ(edit.caretPosition(), 5);
    QTest::keyClick(&edit, Qt::Key_Left);
    EXPECT_EQ(edit.caretPosition(), 3);

    // Hebrew and Arabic words read from right to left.
    EXPECT_GT(edit.characterRect(6).left(), edit.characterRect(9).left());
    EXPECT_GT(edit.characterRect(15).left(), edit.characterRect(19).left());

    // A point just inside a character's leading edge (its left edge, or its right edge in a
    // right-to-left word) hits the position before it.
    for (qsizetype p = 0; p < text.size(); ++p) {
        if (text.at(p).isMark()) {
            continue;
        }
        const QRectF cell = edit.characterRect(p);
        const QChar::Direction direction = text.at(p).direction();
        const bool rightToLeft = direction == QChar::DirR || direction == QChar::DirAL;
        const QPointF inside(rightToLeft ? cell.right() - 1 : cell.left() + 1, cell.center().y());
        EXPECT_EQ(edit.positionAt(inside), p) << p;
    }

    edit.moveCaretToEnd();
    QTest::keyClick(&edit, Qt::Key_Z);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), text);
}

TEST_F(CodeEditTest, APasteCutAtTheLimitKeepsSurrogatePairsWhole) {
    struct Case {
        qsizetype room;
        const char16_t* pasted;
        const char16_t* kept;
    };
    for (const Case& c :
         {Case{3, u"\U0001F600\U0001F600", u"\U0001F600"}, Case{2, u"x\U0001F600", u"x"},
          Case{1, u"\U0001F600", u""}, Case{1, u"ab", u"a"},
          Case{4, u"\U0001F600\U0001F600", u"\U0001F600\U0001F600"}}) {
        edit.setUserMaxLength(0);
        edit.setText(QStringLiteral("abcd"));
        edit.moveCaretToEnd();
        edit.setUserMaxLength(4 + c.room);
        QApplication::clipboard()->setText(QString::fromUtf16(c.pasted));
        edit.paste();
        EXPECT_EQ(edit.text(), QStringLiteral("abcd") + QString::fromUtf16(c.kept)) << c.room;
    }
}

TEST_F(CodeEditTest, SpanWritesReportTheirChangeAndRunningOutOfMemoryTakesChangesBack) {
    std::vector<std::tuple<qsizetype, qsizetype, qsizetype>> seen;
    bool failing = false;
    bool rewriting = false;
    bool inRewrite = false;
    QObject::connect(&edit, &CodeEdit::changed, [&] {
        const CodeEdit::Change change = edit.lastChange();
        seen.emplace_back(change.position, change.removed, change.inserted);
        if (rewriting && !inRewrite) {
            // Like the code panel's clean-up, which writes the box again; it succeeds, and the
            // memory runs out afterwards.
            inRewrite = true;
            edit.setText(edit.text().toUpper());
            inRewrite = false;
        }
        if (failing && !inRewrite) {
            throw std::bad_alloc();
        }
    });
    edit.setText(QStringLiteral("0123456789"));
    edit.replaceText(2, 3, u"ab");
    EXPECT_EQ(edit.text(), QStringLiteral("01ab56789"));
    EXPECT_EQ(edit.caretPosition(), 0);
    using Seen = std::tuple<qsizetype, qsizetype, qsizetype>;
    EXPECT_EQ(seen, (std::vector<Seen>{{0, 0, 10}, {2, 3, 2}}));
    edit.replaceText(2, 2, u"ab");
    EXPECT_EQ(seen.size(), 2u) << "an identical span raises no change";

#if !defined(__SANITIZE_ADDRESS__)  // which aborts on an allocation this large
    // A program write that cannot get its memory changes nothing and lets the failure through.
    edit.setCaretPosition(3);
    const QString one = QStringLiteral("x");
    EXPECT_THROW(edit.replaceText(1, 1, QStringView(one.constData(), qsizetype(1) << 44)),
                 std::bad_alloc);
    EXPECT_EQ(edit.text(), QStringLiteral("01ab56789"));
    EXPECT_EQ(edit.caretPosition(), 3);
    EXPECT_EQ(seen.size(), 2u);
#endif

    // A user edit whose handling runs out of memory is taken back whole, with what the handler
    // wrote meanwhile: text, selection and undo as before, no second change, and the box says so.
    edit.setText(QStringLiteral("abc\ndef\nghi"));
    edit.moveCaretToEnd();
    QTest::keyClick(&edit, Qt::Key_Z);
    edit.setSelection(1, 3);
    QSignalSpy outOfMemory(&edit, &CodeEdit::outOfMemory);
    seen.clear();
    failing = rewriting = true;
    QTest::keyClick(&edit, Qt::Key_X);
    EXPECT_EQ(edit.text(), QStringLiteral("abc\ndef\nghiz"));
    EXPECT_EQ(edit.anchorPosition(), 1);
    EXPECT_EQ(edit.caretPosition(), 3);
    EXPECT_EQ(seen, (std::vector<Seen>{{1, 2, 1}, {0, 11, 11}})) << "the edit and the rewrite";
    EXPECT_EQ(outOfMemory.count(), 1);
    CodeEdit fresh;
    fresh.resize(edit.size());
    fresh.show();
    fresh.setText(edit.text());
    expectSameLines(edit, fresh, 0);
    rewriting = false;

    // A program write whose handling runs out of memory is taken back and lets it through.
    EXPECT_THROW(edit.replaceText(0, 1, u"Q"), std::bad_alloc);
    EXPECT_EQ(edit.text(), QStringLiteral("abc\ndef\nghiz"));
    failing = false;
    edit.undo();
    EXPECT_EQ(edit.text(), QStringLiteral("abc\ndef\nghi")) << "the undo record is the one before";
}

TEST(CodeEditGotFocus, RaisedWhenTheFocusArrives) {
    QWidget window;
    CodeEdit first(&window);
    CodeEdit second(&window);
    second.move(0, 120);
    window.show();
    window.activateWindow();
    first.setFocus();
    QApplication::processEvents();
    QSignalSpy focus(&second, &CodeEdit::gotFocus);
    second.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(focus.count(), 1);
}

}  // namespace
}  // namespace trelvane
