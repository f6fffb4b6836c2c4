// SPDX-License-Identifier: MIT
#include "code_edit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGlyphRun>
#include <QMimeData>
#include <QPainter>
#include <QRawFont>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextLayout>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <utility>

#include "accessible_position.h"
#include "base_color.h"
#include "codepage.h"
#include "line_wrap.h"
#include "primary_selection.h"
#include "undefined_code.h"

namespace trelvane {

namespace {

// Room to grow into when the text needs more: an eighth more, so that typing at the end of a
// long text does not copy it at every key.
qsizetype grownCapacity(qsizetype size) {
    return size + size / 8 + 64;
}

// `length` units not yet written, with room to grow that costs no memory until it is written.
QString withRoomToGrow(qsizetype length) {
    QString text;
    text.reserve(grownCapacity(length));
    text.resize(length);
    return text;
}

bool pointsInto(QStringView view, const QString& text) {
    const std::less<const QChar*> before;
    return !view.isEmpty() && !before(view.data(), text.constData()) &&
           before(view.data(), text.constData() + text.size());
}

// A fill that copies the units of a view. A write moves the box's text, so a view into it is
// copied first, into `ownCopy`, which must outlive the fill.
CodeEdit::Fill copyOf(QStringView units, const QString& text, QString& ownCopy) {
    if (pointsInto(units, text)) {
        ownCopy = units.toString();
        units = ownCopy;
    }
    return
        [units](char16_t* room) { std::copy(units.utf16(), units.utf16() + units.size(), room); };
}

}  // namespace

// What it takes to put the box back as it was before a change: the old text and lines of a
// whole write, or the removed text and the line splice of a span write, with the caret, the
// view and the undo record, and the writes that the change's own handlers made.
struct CodeEdit::Before {
    bool whole = false;
    QString oldText;
    LineIndex oldLines;
    qsizetype position = 0;
    QString removed;
    qsizetype inserted = 0;
    LineIndex::Splice splice;
    qsizetype caret = 0;
    qsizetype anchor = 0;
    int scroll = 0;
    Change change;
    Edit edit;
    bool hadUndo = false;
    std::vector<Before> nested;
};

CodeEdit::CodeEdit(QWidget* parent) : QAbstractScrollArea(parent) {
    setUp();
}

CodeEdit::CodeEdit(const QFont& font, QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(font);
    setUp();
}

void CodeEdit::setUp() {
    setFrameStyle(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    useFont();
    relayoutAll();
}

CodeEdit::~CodeEdit() = default;

// --- What the program does --------------------------------------------------------------------

void CodeEdit::setText(QString text) {
    if (text.size() == text_.size() && (text.constData() == text_.constData() || text == text_)) {
        return;
    }
    Before before = remember();
    replaceWhole(std::move(text), before);
    lastChange_ = {0, before.oldText.size(), text_.size()};
    announceChange(0, before.oldText, {}, &text_);
    afterProgramWrite(before);
}

void CodeEdit::replaceText(qsizetype position, qsizetype removed, QStringView inserted) {
    Q_ASSERT(0 <= position && 0 <= removed && position + removed <= text_.size());
    position = std::clamp<qsizetype>(position, 0, text_.size());
    removed = std::clamp<qsizetype>(removed, 0, text_.size() - position);
    if (QStringView(text_).sliced(position, removed) == inserted) {
        return;
    }
    QString ownCopy;
    replaceText(position, removed, inserted.size(), copyOf(inserted, text_, ownCopy));
}

void CodeEdit::replaceText(qsizetype position, qsizetype removed, qsizetype length,
                           const Fill& fill) {
    Q_ASSERT(0 <= position && 0 <= removed && position + removed <= text_.size() && 0 <= length);
    position = std::clamp<qsizetype>(position, 0, text_.size());
    removed = std::clamp<qsizetype>(removed, 0, text_.size() - position);
    if (position == 0 && removed == text_.size()) {
        // With room to grow: a later edit that lengthens the text changes it in place.
        QString text = withRoomToGrow(length);
        fill(reinterpret_cast<char16_t*>(text.data()));
        setText(std::move(text));
        return;
    }
    Before before = remember();
    if (!fillSpan(position, removed, length, fill, before)) {
        return;  // the same text: no change
    }
    lastChange_ = {position, removed, length};
    announceChange(position, before.removed, QStringView(text_).sliced(position, length), nullptr);
    afterProgramWrite(before);
}

void CodeEdit::moveCaretToEnd() {
    setCaretPosition(text_.size());
}

void CodeEdit::setCaretPosition(qsizetype position, bool keepAnchor) {
    placeCaret(position, keepAnchor ? anchor_ : position);
}

void CodeEdit::setSelection(qsizetype anchor, qsizetype caret) {
    placeCaret(caret, anchor);
}

QString CodeEdit::selectedText() const {
    return text_.mid(selectionStart(), selectionEnd() - selectionStart());
}

void CodeEdit::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    viewport()->setCursor(readOnly ? Qt::ArrowCursor : Qt::IBeamCursor);
}

void CodeEdit::setBackColor(const QColor& color) {
    setBaseColor(*this, color);
}

QColor CodeEdit::backColor() const {
    return baseColor(*this);
}

qsizetype CodeEdit::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

// --- Changes of the text ----------------------------------------------------------------------

CodeEdit::Before CodeEdit::remember() const {
    Before before;
    before.caret = caret_;
    before.anchor = anchor_;
    before.scroll = verticalScrollBar()->value();
    before.change = lastChange_;
    before.edit = lastEdit_;
    before.hadUndo = hasUndo_;
    return before;
}

// The new text and its lines are made in full before the old ones are let go.
void CodeEdit::replaceWhole(QString text, Before& before) {
    LineIndex fresh;
    fresh.assign(wrapAll(text, {advances_.get(), laidOutWidth_}));
    before.whole = true;
    before.oldText = std::exchange(text_, std::move(text));
    replacedRoom_ = QString();  // a new text: the room may be far too large now
    lines_.swap(fresh);
    before.oldLines.swap(fresh);
}

// An edit of the user; it never writes the span it replaces (applyEdit compares first).
void CodeEdit::replaceSpan(qsizetype position, qsizetype removed, QStringView inserted,
                           Before& before) {
    QString ownCopy;
    fillSpan(position, removed, inserted.size(), copyOf(inserted, text_, ownCopy), before);
}

// The memory the edit needs, and the room to take it back, are made sure of before the text
// changes; if filling or laying it out fails, the text is put back in the room it already has.
// False, with nothing changed, when the filled span is the one it replaces.
bool CodeEdit::fillSpan(qsizetype position, qsizetype removed, qsizetype length, const Fill& fill,
                        Before& before) {
    before.removed = copyOfSpan(position, removed);
    const qsizetype size = text_.size();
    const qsizetype newSize = size - removed + length;
    // The room at the end: what QString grows into without moving its text elsewhere.
    const qsizetype room = text_.capacity() - text_.data_ptr().freeSpaceAtBegin();
    if (!text_.isDetached() || room < std::max(size, newSize)) {
        text_.reserve(grownCapacity(std::max(size, newSize)));
    }
    // The text after the span moves to make exactly `length` units of room at the position.
    auto moveTail = [&] {
        QChar* data = text_.data();
        std::memmove(data + position + length, data + position + removed,
                     static_cast<std::size_t>(size - position - removed) * sizeof(QChar));
    };
    if (newSize > size) {
        text_.resize(newSize);
        moveTail();
    } else {
        moveTail();
        text_.resize(newSize);
    }
    try {
        fill(reinterpret_cast<char16_t*>(text_.data() + position));
        if (length == removed && QStringView(text_).sliced(position, length) == before.removed) {
            return false;
        }
        const Rewrap lines =
            rewrap(text_, lines_, position, removed, length, {advances_.get(), laidOutWidth_});
        lines_.prepare(before.splice, lines.firstLine, lines.lastLine, lines.runs);
    } catch (...) {
        text_.replace(position, length, before.removed);
        throw;
    }
    lines_.commit(before.splice);
    if (replacedRoom_.capacity() > text_.size()) {
        replacedRoom_ = QString();  // a field that shrank gives its memory back
    }
    before.whole = false;
    before.position = position;
    before.inserted = length;
    return true;
}

// A copy of a span of the text, in replacedRoom_ when the box alone holds it again (the change
// that took it last has ended and no undo record keeps it) and it is large enough.
QString CodeEdit::copyOfSpan(qsizetype position, qsizetype length) {
    if (length == 0) {
        return {};
    }
    QString copy = std::exchange(replacedRoom_, QString());
    if (copy.isDetached() && copy.capacity() >= length) {
        copy.resize(length);
    } else {
        copy = withRoomToGrow(length);
    }
    std::copy_n(text_.constData() + position, length, copy.data());
    replacedRoom_ = copy;
    return copy;
}

// A program write leaves the caret at the start, nothing to undo and the view at the top.
void CodeEdit::afterProgramWrite(Before& before) {
    caret_ = anchor_ = 0;
    hasUndo_ = false;
    verticalScrollBar()->setValue(0);
    textChanged();
    announceCaret(before.caret, before.anchor);
    raiseChanged(before, Writer::Program);
}

// Raises changed(), last, once the box is consistent. A handler may write the box again: its
// writes join this change, to be taken back with it. If the handling runs out of memory, the
// change is taken back; a program write lets the failure through, an edit of the user only
// tells the window.
void CodeEdit::raiseChanged(Before& before, Writer writer) {
    Before* const outer = std::exchange(openChange_, &before);
    try {
        emit changed();
        openChange_ = outer;
        if (outer != nullptr) {
            outer->nested.push_back(std::move(before));
        }
    } catch (const std::bad_alloc&) {
        openChange_ = outer;
        takeBack(before);
        if (writer == Writer::Program) {
            throw;
        }
        emit outOfMemory();
    }
}

// Puts back the text, the lines, the caret, the view and the undo record as they were before
// a change, and the writes that its handlers made, last first. Raises no changed().
void CodeEdit::takeBack(Before& before) {
    for (auto nested = before.nested.rbegin(); nested != before.nested.rend(); ++nested) {
        takeBack(*nested);
    }
    if (before.whole) {
        announceChange(0, text_, {}, &before.oldText);
        text_.swap(before.oldText);
        lines_.swap(before.oldLines);
    } else {
        QString inserted;
        try {
            if (QAccessible::isActive()) {
                inserted = text_.mid(before.position, before.inserted);
            }
            text_.replace(before.position, before.inserted, before.removed);
        } catch (const std::bad_alloc&) {
            // Only when a handler kept a copy of the text, so that putting it back would need a
            // copy of its own: the change then stays, whole and consistent.
            return;
        }
        lines_.revert(before.splice);
        announceChange(before.position, inserted, before.removed, nullptr);
    }
    caret_ = before.caret;
    anchor_ = before.anchor;
    lastChange_ = before.change;
    lastEdit_ = before.edit;
    hasUndo_ = before.hadUndo;
    textChanged();
    verticalScrollBar()->setValue(before.scroll);
}

void CodeEdit::textChanged() {
    shaped_.forget();
    updateScrollBar();
    viewport()->update();
}

// Tells screen readers what changed, with only the changed span's text, and only when one
// listens.
void CodeEdit::announceChange(qsizetype position, const QString& removed, QStringView inserted,
                              const QString* insertedWhole) const {
    if (!QAccessible::isActive()) {
        return;
    }
    try {
        auto* self = const_cast<CodeEdit*>(this);
        const QString added = insertedWhole != nullptr ? *insertedWhole : inserted.toString();
        const int at = accessiblePosition(position);
        if (removed.isEmpty()) {
            QAccessibleTextInsertEvent event(self, at, added);
            QAccessible::updateAccessibility(&event);
        } else if (added.isEmpty()) {
            QAccessibleTextRemoveEvent event(self, at, removed);
            QAccessible::updateAccessibility(&event);
        } else {
            QAccessibleTextUpdateEvent event(self, at, removed, added);
            QAccessible::updateAccessibility(&event);
        }
    } catch (const std::bad_alloc&) {
        // An announcement is not worth losing the change for.
    }
}

// --- Edits of the user ------------------------------------------------------------------------

void CodeEdit::selectAll() {
    placeCaret(text_.size(), 0);
}

void CodeEdit::copy() {
    guarded([this] {
        if (hasSelection()) {
            QGuiApplication::clipboard()->setText(selectedText());
        }
    });
}

void CodeEdit::cut() {
    guarded([this] {
        if (readOnly_ || !hasSelection()) {
            return;
        }
        QGuiApplication::clipboard()->setText(selectedText());
        replaceSelection(QString());
    });
}

// A paste is not filtered like typed keys; it is only cut to the room the maximum length
// leaves.
void CodeEdit::paste() {
    guarded([this] {
        if (readOnly_) {
            return;
        }
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (data != nullptr && data->hasText()) {
            typeText(data->text(), true);
        }
    });
}

void CodeEdit::editAsUser(qsizetype position, qsizetype removed, const QString& inserted) {
    guarded([&] {
        if (readOnly_ || position < 0 || removed < 0 || position > text_.size() - removed) {
            return;
        }
        placeCaret(position + removed, position);
        const bool oneCharacter =
            inserted.size() == 1 || (inserted.size() == 2 && inserted.at(0).isHighSurrogate());
        if (inserted.isEmpty()) {
            if (removed > 0) {
                replaceSelection(QString());
            }
        } else if (oneCharacter) {
            typeCharacter(codeOf(inserted.at(0).unicode()), inserted);
        } else {
            typeText(inserted, true);
        }
    });
}

void CodeEdit::undo() {
    guarded([this] {
        if (readOnly_ || !hasUndo_) {
            return;
        }
        const Edit edit = lastEdit_;
        applyEdit(edit.position, edit.inserted, edit.removed);
    });
}

qsizetype CodeEdit::roomForUser() const {
    if (userMaxLength_ <= 0) {
        return std::numeric_limits<qsizetype>::max();
    }
    return userMaxLength_ - (text_.size() - (selectionEnd() - selectionStart()));
}

void CodeEdit::typeText(const QString& typed, bool cutToRoom) {
    const qsizetype room = roomForUser();
    if (typed.isEmpty() || room <= 0 || (!cutToRoom && typed.size() > room)) {
        return;
    }
    if (typed.size() <= room) {
        replaceSelection(typed);
        return;
    }
    // A character is pasted whole or not at all: a cut never parts a surrogate pair.
    qsizetype cut = room;
    if (typed.at(cut - 1).isHighSurrogate() && typed.at(cut).isLowSurrogate()) {
        --cut;
    }
    if (cut > 0) {
        replaceSelection(typed.left(cut));
    }
}

void CodeEdit::replaceSelection(const QString& inserted) {
    applyEdit(selectionStart(), selectionEnd() - selectionStart(), inserted);
}

// Every edit of the user ends here. The change is raised last, once the box is consistent, so
// that its handler may write the box again and put the caret where it wants it.
void CodeEdit::applyEdit(qsizetype position, qsizetype removedLength, const QString& inserted) {
    if (QStringView(text_).sliced(position, removedLength) == QStringView(inserted)) {
        placeCaret(position + inserted.size(), position + inserted.size());
        return;
    }
    Before before = remember();
    try {
        if (position == 0 && removedLength == text_.size()) {
            replaceWhole(inserted, before);
            before.removed = before.oldText;
        } else {
            replaceSpan(position, removedLength, inserted, before);
        }
    } catch (const std::bad_alloc&) {
        emit outOfMemory();  // refused: nothing changed
        return;
    }
    lastEdit_ = {position, before.removed, inserted.size()};
    hasUndo_ = true;
    lastChange_ = {position, removedLength, inserted.size()};
    caret_ = anchor_ = position + inserted.size();
    textChanged();
    ensureCaretVisible();
    restartCaretBlink();
    announceChange(position, before.removed, inserted, nullptr);
    announceCaret(before.caret, before.anchor);
    raiseChanged(before, Writer::User);
    if (!text_.isDetached()) {
        // A pasted text is shared with the clipboard: the box takes a copy of its own once
        // the paste is shown, rather than in the next keystroke.
        QTimer::singleShot(0, this, &CodeEdit::ownText);
    }
}

void CodeEdit::ownText() {
    if (text_.isDetached() || openChange_ != nullptr) {
        return;
    }
    try {
        QString own = withRoomToGrow(text_.size());
        std::copy_n(text_.constData(), text_.size(), own.data());
        text_.swap(own);
    } catch (const std::bad_alloc&) {
        // The next edit copies it then, or tells that memory ran out.
    }
}

void CodeEdit::deleteBackward() {
    if (hasSelection()) {
        replaceSelection(QString());
    } else if (caret_ > 0) {
        qsizetype from = caret_ - 1;
        if (from > 0 && text_.at(from).isLowSurrogate() && text_.at(from - 1).isHighSurrogate()) {
            --from;
        }
        applyEdit(from, caret_ - from, QString());
    }
}

void CodeEdit::deleteForward() {
    if (hasSelection()) {
        replaceSelection(QString());
    } else if (caret_ < text_.size()) {
        qsizetype to = caret_ + 1;
        if (to < text_.size() && text_.at(caret_).isHighSurrogate() &&
            text_.at(to).isLowSurrogate()) {
            ++to;
        }
        applyEdit(caret_, to - caret_, QString());
    }
}

// A typed character passes the keyPress handler first, which may discard it (0) or change it.
void CodeEdit::typeCharacter(int code, const QString& typed) {
    const int original = code;
    emit keyPress(code);
    if (code == 0) {
        return;
    }
    if (code == 8) {
        deleteBackward();
    } else if (code == 13) {
        typeText(QStringLiteral("\n"), false);  // Enter breaks the line with a line feed
    } else if (code == original) {
        typeText(typed, false);
    } else {
        typeText(QString(QChar(charOf(static_cast<std::uint8_t>(code)))), false);
    }
}

// A middle click pastes the primary selection where it points, the way Ctrl+V pastes the
// clipboard at the caret.
void CodeEdit::pastePrimarySelectionAt(const QPointF& point) {
    if (readOnly_ || !hasPrimarySelection()) {
        return;
    }
    const QString selected = primarySelection();
    setCaretPosition(positionAt(point));
    if (!selected.isEmpty()) {
        typeText(selected, true);
    }
}

// What the user selects becomes the primary selection, for a middle click anywhere.
void CodeEdit::offerPrimarySelection() const {
    if (hasSelection() && hasPrimarySelection()) {
        setPrimarySelection(selectedText());
    }
}

// --- Caret and selection ----------------------------------------------------------------------

void CodeEdit::placeCaret(qsizetype caret, qsizetype anchor) {
    const qsizetype oldCaret = caret_;
    const qsizetype oldAnchor = anchor_;
    caret_ = std::clamp<qsizetype>(caret, 0, text_.size());
    anchor_ = std::clamp<qsizetype>(anchor, 0, text_.size());
    ensureCaretVisible();
    restartCaretBlink();
    viewport()->update();
    announceCaret(oldCaret, oldAnchor);
}

void CodeEdit::announceCaret(qsizetype oldCaret, qsizetype oldAnchor) const {
    if (!QAccessible::isActive()) {
        return;
    }
    try {
        auto* self = const_cast<CodeEdit*>(this);
        if (caret_ != oldCaret) {
            QAccessibleTextCursorEvent event(self, accessiblePosition(caret_));
            QAccessible::updateAccessibility(&event);
        }
        const bool hadSelection = oldCaret != oldAnchor;
        if ((hadSelection || hasSelection()) &&
            std::minmax(oldCaret, oldAnchor) != std::minmax(caret_, anchor_)) {
            QAccessibleTextSelectionEvent event(self, accessiblePosition(selectionStart()),
                                                accessiblePosition(selectionEnd()));
            QAccessible::updateAccessibility(&event);
        }
    } catch (const std::bad_alloc&) {
        // As with the text: an announcement is not worth losing the change for.
    }
}

// The caret steps over whole characters as the shaped line sees them: a surrogate pair, or a
// letter with its combining marks.
qsizetype CodeEdit::nextCaretStop(qsizetype position) {
    if (position >= text_.size()) {
        return text_.size();
    }
    const qsizetype line = lineOf(position);
    const qsizetype start = lineStart(line);
    const qsizetype offset = position - start;
    if (offset >= lineText(line).size()) {
        return position + 1;  // over the line feed
    }
    return start + shapedLine(line).nextCursorPosition(static_cast<int>(offset));
}

qsizetype CodeEdit::previousCaretStop(qsizetype position) {
    if (position <= 0) {
        return 0;
    }
    if (text_.at(position - 1) == QLatin1Char('\n')) {
        return position - 1;
    }
    const qsizetype line = lineOf(position - 1);
    const qsizetype start = lineStart(line);
    return start + shapedLine(line).previousCursorPosition(static_cast<int>(position - start));
}

// --- Layout -----------------------------------------------------------------------------------

void CodeEdit::useFont() {
    auto advances = std::make_unique<GlyphAdvances>(font());
    const QFontMetricsF& metrics = advances->metrics();
    lineHeight_ = std::max<qreal>(1, metrics.lineSpacing());
    ascent_ = metrics.ascent();
    shaped_.setStyle(font(), static_cast<qreal>(advances->tabStop()) / GlyphAdvances::kPerPixel,
                     advances->boxWidening());
    advances_ = std::move(advances);
}

int CodeEdit::wrapWidth() const {
    const qreal pixels = std::max<qreal>(1, viewport()->width() - 2 * kMargin);
    return static_cast<int>(pixels * GlyphAdvances::kPerPixel);
}

void CodeEdit::relayoutAll() {
    const int width = wrapWidth();
    LineIndex fresh;
    fresh.assign(wrapAll(text_, {advances_.get(), width}));
    lines_.swap(fresh);
    laidOutWidth_ = width;
    textChanged();
}

int CodeEdit::visibleLines() const {
    return std::max(1, static_cast<int>((viewport()->height() - kMargin) / lineHeight_));
}

void CodeEdit::updateScrollBar() {
    QScrollBar* bar = verticalScrollBar();
    const int page = visibleLines();
    bar->setRange(0, static_cast<int>(std::clamp<qsizetype>(lineCount() - page, 0, INT_MAX)));
    bar->setPageStep(page);
    bar->setSingleStep(1);
}

// Where a line's text ends: before its line feed, if it has one.
qsizetype CodeEdit::lineEnd(qsizetype line) const {
    const qsizetype start = lineStart(line);
    qsizetype end = line + 1 < lineCount() ? lineStart(line + 1) : text_.size();
    if (end > start && text_.at(end - 1) == QLatin1Char('\n')) {
        --end;
    }
    return end;
}

QStringView CodeEdit::lineText(qsizetype line) const {
    const qsizetype start = lineStart(line);
    return QStringView(text_).sliced(start, lineEnd(line) - start);
}

const QTextLayout& CodeEdit::shapedLine(qsizetype line) const {
    return shaped_.shape(lineText(line), lineStart(line));
}

qreal CodeEdit::lineTop(qsizetype line) const {
    return kMargin + static_cast<qreal>(line - firstVisibleLine()) * lineHeight_;
}

qreal CodeEdit::xOf(qsizetype position) const {
    const qsizetype line = lineOf(position);
    const QTextLayout& shaped = shapedLine(line);
    return shaped.lineAt(0).cursorToX(static_cast<int>(position - lineStart(line)));
}

qsizetype CodeEdit::lineAt(qreal y) const {
    return std::clamp<qsizetype>(
        firstVisibleLine() + static_cast<qsizetype>(std::floor((y - kMargin) / lineHeight_)), 0,
        lineCount() - 1);
}

qsizetype CodeEdit::positionAt(const QPointF& point) const {
    const qsizetype line = lineAt(point.y());
    const qsizetype length = lineText(line).size();
    const int offset = shapedLine(line).lineAt(0).xToCursor(point.x() - kMargin);
    return lineStart(line) + std::clamp<qsizetype>(offset, 0, length);
}

// A character spans the glyphs drawn for it, wherever the shaping put them; a tab, the box of
// a C1 control, the line feed and the end of the text span the room between cursor positions.
QRectF CodeEdit::characterRect(qsizetype position) const {
    position = std::clamp<qsizetype>(position, 0, text_.size());
    const qsizetype line = lineOf(position);
    const QStringView shown = lineText(line);
    const qsizetype offset = position - lineStart(line);
    const QTextLayout& shaped = shapedLine(line);
    auto span = [&](qreal from, qreal to) {
        return QRectF(kMargin + std::min(from, to), lineTop(line), std::abs(to - from),
                      lineHeight_);
    };
    if (offset >= shown.size()) {
        const qreal from = shaped.lineAt(0).cursorToX(static_cast<int>(shown.size()));
        return span(from,
                    from + static_cast<qreal>(advances_->ascii(u' ')) / GlyphAdvances::kPerPixel);
    }
    const char16_t c = shown[offset].unicode();
    const int units =
        QChar::isHighSurrogate(c) && offset + 1 < shown.size() && shown[offset + 1].isLowSurrogate()
            ? 2
            : 1;
    if (c != u'\t' && !isBoxedCode(c)) {
        qreal left = std::numeric_limits<qreal>::max();
        qreal right = std::numeric_limits<qreal>::lowest();
        for (const QGlyphRun& run : shaped.glyphRuns(static_cast<int>(offset), units)) {
            const QList<QPointF> positions = run.positions();
            const QList<QPointF> widths = run.rawFont().advancesForGlyphIndexes(run.glyphIndexes());
            for (qsizetype i = 0; i < positions.size() && i < widths.size(); ++i) {
                left = std::min(left, positions[i].x());
                right = std::max(right, positions[i].x() + widths[i].x());
            }
        }
        if (left <= right) {
            return span(left, right);
        }
    }
    const QTextLine row = shaped.lineAt(0);
    return span(row.cursorToX(static_cast<int>(offset)),
                row.cursorToX(static_cast<int>(offset + units)));
}

QRectF CodeEdit::caretRect() const {
    return QRectF(kMargin + xOf(caret_), lineTop(lineOf(caret_)), 1, lineHeight_);
}

void CodeEdit::ensureCaretVisible() {
    const qsizetype line = lineOf(caret_);
    QScrollBar* bar = verticalScrollBar();
    auto show = [bar](qsizetype first) {
        bar->setValue(static_cast<int>(std::clamp<qsizetype>(first, 0, INT_MAX)));
    };
    if (line < bar->value()) {
        show(line);
    } else if (line >= bar->value() + visibleLines()) {
        show(line - visibleLines() + 1);
    }
}

void CodeEdit::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (wrapWidth() != laidOutWidth_) {
        guarded([this] { relayoutAll(); });
    } else {
        updateScrollBar();
    }
}

void CodeEdit::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    // A font given at construction is measured by the constructor, once.
    if (event->type() == QEvent::FontChange && advances_ != nullptr) {
        guarded([this] {
            useFont();
            relayoutAll();
        });
    }
}

void CodeEdit::scrollContentsBy(int, int) {
    viewport()->update();
}

// --- Painting ---------------------------------------------------------------------------------

void CodeEdit::restartCaretBlink() {
    caretShown_ = hasFocus();
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flash > 0) {
        caretBlink_.start(flash / 2, this);
    } else {
        caretBlink_.stop();
    }
}

void CodeEdit::timerEvent(QTimerEvent* event) {
    if (event->timerId() != caretBlink_.timerId()) {
        QAbstractScrollArea::timerEvent(event);
        return;
    }
    quietly([this] {
        const QRect caret = caretRect().toAlignedRect().adjusted(-1, 0, 1, 0);
        caretShown_ = !caretShown_;
        viewport()->update(caret);
    });
}

// Only the lines in the painted rectangle are drawn, each shaped once and kept.
void CodeEdit::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    quietly([&] {
        const QPalette& colours = palette();
        const QColor ink = colours.color(QPalette::Text);
        const QColor markInk = colours.color(QPalette::HighlightedText);
        const QColor mark =
            colours.color(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight);
        QTextCharFormat selected;
        selected.setBackground(mark);
        selected.setForeground(markInk);
        const qsizetype selFrom = selectionStart();
        const qsizetype selTo = selectionEnd();

        const qsizetype top = firstVisibleLine();
        const qsizetype first = std::max<qsizetype>(
            0, top + static_cast<qsizetype>(
                         std::floor((event->rect().top() - kMargin) / lineHeight_)));
        const qsizetype last = std::min<qsizetype>(
            lineCount() - 1, top + static_cast<qsizetype>(std::ceil(
                                       (event->rect().bottom() - kMargin) / lineHeight_)));
        painter.setPen(ink);
        for (qsizetype line = first; line <= last; ++line) {
            const qsizetype start = lineStart(line);
            const QStringView shown = lineText(line);
            const QTextLayout& shaped = shapedLine(line);
            const QTextLine row = shaped.lineAt(0);
            const qreal y = lineTop(line);
            const QPointF origin(kMargin, y + ascent_ - row.ascent());

            QList<QTextLayout::FormatRange> selections;
            const qsizetype from = std::max(selFrom, start);
            const qsizetype to = std::min(selTo, start + shown.size());
            if (from < to) {
                selections.append(
                    {static_cast<int>(from - start), static_cast<int>(to - from), selected});
            }
            shaped.draw(&painter, origin, selections);

            for (qsizetype i = 0; i < shown.size(); ++i) {
                const char16_t c = shown[i].unicode();
                if (isBoxedCode(c)) {
                    const qreal left = row.cursorToX(static_cast<int>(i));
                    const qreal right = row.cursorToX(static_cast<int>(i + 1));
                    const QRectF cell(kMargin + std::min(left, right), y, std::abs(right - left),
                                      lineHeight_);
                    const bool inSelection = start + i >= selFrom && start + i < selTo;
                    drawUndefinedCode(painter, cell, c, font(), inSelection ? markInk : ink);
                }
            }
            // A selected line feed shows as a narrow mark after its line; a break made by wrapping
            // has no character of its own to mark.
            const qsizetype lineFeed = start + shown.size();
            if (lineFeed < text_.size() && text_.at(lineFeed) == QLatin1Char('\n') &&
                lineFeed >= selFrom && lineFeed < selTo) {
                const qreal blank =
                    static_cast<qreal>(advances_->ascii(u' ')) / GlyphAdvances::kPerPixel;
                painter.fillRect(QRectF(kMargin + row.naturalTextWidth(), y, blank, lineHeight_),
                                 mark);
            }
        }
        if (caretShown_ && hasFocus()) {
            painter.fillRect(caretRect(), ink);
        }
    });
}

}  // namespace trelvane
