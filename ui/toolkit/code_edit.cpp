#include "code_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

#include "base_color.h"
#include "codepage.h"
#include "focus_arrival.h"
#include "key_code.h"
#include "visible_text.h"

namespace trelvane {

namespace {

constexpr qreal kMargin = 4;    // between the box's edge and its text, in pixels
constexpr int kTabColumns = 8;  // a tab stop every eight blanks

bool isBlank(char16_t c) {
    return c == u' ';
}

// What is drawn for a character: a line feed breaks the line and a tab moves to the next
// stop; the other control characters show as their pictures.
QChar shownAs(char16_t c) {
    return c == u'\n' || c == u'\t' ? QChar(c) : controlPicture(c);
}

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

}  // namespace

CodeEdit::CodeEdit(QWidget* parent) : QAbstractScrollArea(parent), advances_(65536, -1.0f) {
    setFrameStyle(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    relayout();
}

// --- What the program does --------------------------------------------------------------------

void CodeEdit::setText(QString text) {
    if (text == text_) {
        return;
    }
    lastChange_ = {0, text_.size(), text.size()};
    text_ = std::move(text);
    caret_ = anchor_ = 0;
    hasUndo_ = false;
    relayout();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emit changed();
}

void CodeEdit::replaceText(qsizetype position, qsizetype removed, QStringView inserted) {
    if (QStringView(text_).mid(position, removed) == inserted) {
        return;
    }
    const int firstChangedLine = std::max(0, lineOf(static_cast<int>(position)) - 1);
    text_.replace(position, removed, inserted.data(), inserted.size());
    lastChange_ = {position, removed, inserted.size()};
    caret_ = anchor_ = 0;
    hasUndo_ = false;
    relayout(firstChangedLine);
    viewport()->update();
    emit changed();
}

void CodeEdit::moveCaretToEnd() {
    setCaretPosition(static_cast<int>(text_.size()));
}

void CodeEdit::setCaretPosition(qsizetype position, bool keepAnchor) {
    caret_ = static_cast<int>(std::clamp<qsizetype>(position, 0, text_.size()));
    if (!keepAnchor) {
        anchor_ = caret_;
    }
    ensureCaretVisible();
    restartCaretBlink();
    viewport()->update();
}

void CodeEdit::setSelection(qsizetype anchor, qsizetype caret) {
    anchor_ = static_cast<int>(std::clamp<qsizetype>(anchor, 0, text_.size()));
    setCaretPosition(caret, true);
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

int CodeEdit::firstVisibleLine() const {
    return verticalScrollBar()->value();
}

// --- Edits of the user ------------------------------------------------------------------------

void CodeEdit::selectAll() {
    anchor_ = 0;
    caret_ = static_cast<int>(text_.size());
    viewport()->update();
}

void CodeEdit::copy() const {
    if (hasSelection()) {
        QGuiApplication::clipboard()->setText(selectedText());
    }
}

void CodeEdit::cut() {
    if (readOnly_ || !hasSelection()) {
        return;
    }
    copy();
    replaceSelection(QString());
}

// A paste is not filtered like typed keys; it is only cut to the room the maximum length
// leaves.
void CodeEdit::paste() {
    if (readOnly_) {
        return;
    }
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data != nullptr && data->hasText()) {
        typeText(data->text(), true);
    }
}

void CodeEdit::undo() {
    if (readOnly_ || !hasUndo_) {
        return;
    }
    const Edit edit = lastEdit_;
    applyEdit(edit.position, static_cast<int>(edit.inserted.size()), edit.removed, true);
}

int CodeEdit::roomForUser() const {
    if (userMaxLength_ <= 0) {
        return INT_MAX;
    }
    return userMaxLength_ - (static_cast<int>(text_.size()) - (selectionEnd() - selectionStart()));
}

void CodeEdit::typeText(const QString& typed, bool cutToRoom) {
    const int room = roomForUser();
    if (typed.isEmpty() || room <= 0 || (!cutToRoom && typed.size() > room)) {
        return;
    }
    replaceSelection(typed.size() > room ? typed.left(room) : typed);
}

void CodeEdit::replaceSelection(const QString& inserted) {
    applyEdit(selectionStart(), selectionEnd() - selectionStart(), inserted, true);
}

// Every edit of the user ends here. The change is raised last, once the box is consistent, so
// that its handler may write the box again and put the caret where it wants it.
void CodeEdit::applyEdit(int position, int removedLength, const QString& inserted,
                         bool keepForUndo) {
    const QString removed = text_.mid(position, removedLength);
    const int caretBefore = caret_;
    const int anchorBefore = anchor_;
    caret_ = anchor_ = position + static_cast<int>(inserted.size());
    if (removed == inserted) {
        ensureCaretVisible();
        viewport()->update();
        return;
    }
    if (keepForUndo) {
        lastEdit_ = {position, removed, inserted};
        hasUndo_ = true;
    }
    // The lines before the edited one stay as they are; the line before it may take a word
    // that the edit has shortened.
    const int firstChangedLine = std::max(0, lineOf(position) - 1);
    try {
        text_.replace(position, removedLength, inserted);
        lastChange_ = {position, removedLength, inserted.size()};
        relayout(firstChangedLine);
        ensureCaretVisible();
        restartCaretBlink();
        viewport()->update();
        emit changed();
    } catch (const std::bad_alloc&) {
        // Taken back, as far as this simple version can: the typed text, if it is still there,
        // gives way to what it replaced. The handlers of the change put back what they changed.
        if (QStringView(text_).mid(position, inserted.size()) == inserted) {
            text_.replace(position, inserted.size(), removed);
        }
        caret_ = caretBefore;
        anchor_ = anchorBefore;
        hasUndo_ = false;
        relayout();
        viewport()->update();
        emit outOfMemory();
    }
}

void CodeEdit::deleteBackward() {
    if (hasSelection()) {
        replaceSelection(QString());
    } else if (caret_ > 0) {
        int from = caret_ - 1;
        if (from > 0 && text_.at(from).isLowSurrogate() && text_.at(from - 1).isHighSurrogate()) {
            --from;
        }
        applyEdit(from, caret_ - from, QString(), true);
    }
}

void CodeEdit::deleteForward() {
    if (hasSelection()) {
        replaceSelection(QString());
    } else if (caret_ < text_.size()) {
        int to = caret_ + 1;
        if (to < text_.size() && text_.at(caret_).isHighSurrogate() &&
            text_.at(to).isLowSurrogate()) {
            ++to;
        }
        applyEdit(caret_, to - caret_, QString(), true);
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

// --- Keyboard ---------------------------------------------------------------------------------

bool CodeEdit::event(QEvent* event) {
    // Keys the box uses itself are not taken away by the window's shortcuts.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
            key->matches(QKeySequence::Paste) || key->matches(QKeySequence::SelectAll) ||
            key->matches(QKeySequence::Undo) || keyPressCode(*key) >= 0) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CodeEdit::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::Cut)) {
        cut();
    } else if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (moveByKey(*event)) {
        // moved the caret
    } else if (event->key() == Qt::Key_Delete) {
        if (!readOnly_) {
            deleteForward();
        }
    } else if (const int code = keyPressCode(*event); code >= 0 && !readOnly_) {
        typeCharacter(code, event->text());
    } else {
        event->ignore();
        QAbstractScrollArea::keyPressEvent(event);
    }
}

bool CodeEdit::moveByKey(const QKeyEvent& event) {
    const bool extend = event.modifiers() & Qt::ShiftModifier;
    const bool control = event.modifiers() & Qt::ControlModifier;
    const int length = static_cast<int>(text_.size());
    const int line = lineOf(caret_);
    auto toLine = [&](int target) {
        target = std::clamp(target, 0, lineCount() - 1);
        const qreal x = xOf(caret_);
        // The position on the target line nearest to the caret's column.
        const QPointF at(kMargin + x, (target - firstVisibleLine()) * lineHeight_ + kMargin + 1);
        return positionAt(at.toPoint());
    };
    int next;
    switch (event.key()) {
        case Qt::Key_Left:
            if (!extend && hasSelection()) {
                next = selectionStart();
            } else if (control) {
                next = caret_;
                while (next > 0 && !isWordCharacter(text_.at(next - 1)))
                    --next;
                while (next > 0 && isWordCharacter(text_.at(next - 1)))
                    --next;
            } else {
                next = std::max(0, caret_ - 1);
            }
            break;
        case Qt::Key_Right:
            if (!extend && hasSelection()) {
                next = selectionEnd();
            } else if (control) {
                next = caret_;
                while (next < length && isWordCharacter(text_.at(next)))
                    ++next;
                while (next < length && !isWordCharacter(text_.at(next)))
                    ++next;
            } else {
                next = std::min(length, caret_ + 1);
            }
            break;
        case Qt::Key_Up:
            next = line == 0 ? 0 : toLine(line - 1);
            break;
        case Qt::Key_Down:
            next = line + 1 >= lineCount() ? length : toLine(line + 1);
            break;
        case Qt::Key_PageUp:
            next = toLine(line - std::max(1, visibleLines()));
            break;
        case Qt::Key_PageDown:
            next = toLine(line + std::max(1, visibleLines()));
            break;
        case Qt::Key_Home:
            next = control ? 0 : lineStart(line);
            break;
        case Qt::Key_End:
            next = control ? length : lineEnd(line);
            break;
        default:
            return false;
    }
    setCaretPosition(next, extend);
    return true;
}

void CodeEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (!readOnly_) {
        // Characters composed by an input method arrive like typed keys.
        const QString committed = event->commitString();
        for (qsizetype i = 0; i < committed.size(); ++i) {
            const qsizetype length =
                committed.at(i).isHighSurrogate() && i + 1 < committed.size() ? 2 : 1;
            const QString typed = committed.mid(i, length);
            typeCharacter(codeOf(typed.at(0).unicode()), typed);
            i += length - 1;
        }
    }
    event->accept();
}

QVariant CodeEdit::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
        case Qt::ImEnabled:
            return !readOnly_;
        case Qt::ImCursorRectangle:
            return caretRect().toRect();
        case Qt::ImCursorPosition:
            return caret_ - lineStart(lineOf(caret_));
        case Qt::ImSurroundingText: {
            const int line = lineOf(caret_);
            return text_.mid(lineStart(line), lineEnd(line) - lineStart(line));
        }
        default:
            return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// --- Focus and mouse --------------------------------------------------------------------------

void CodeEdit::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartCaretBlink();
    viewport()->update();
    if (isFocusArrival(this, event->reason())) {
        emit gotFocus();
    }
}

void CodeEdit::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    caretBlink_.stop();
    caretShown_ = false;
    viewport()->update();
}

void CodeEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        setCaretPosition(positionAt(event->position().toPoint()),
                         event->modifiers() & Qt::ShiftModifier);
    }
    event->accept();
}

void CodeEdit::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ && (event->buttons() & Qt::LeftButton)) {
        setCaretPosition(positionAt(event->position().toPoint()), true);
    }
}

void CodeEdit::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (pressed_ && event->button() == Qt::LeftButton) {
        pressed_ = false;
        emit clicked();
    }
}

void CodeEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double click selects the word under the pointer.
    const int at = positionAt(event->position().toPoint());
    int from = at;
    int to = at;
    while (from > 0 && isWordCharacter(text_.at(from - 1)))
        --from;
    while (to < text_.size() && isWordCharacter(text_.at(to)))
        ++to;
    pressed_ = true;
    anchor_ = from;
    setCaretPosition(to, true);
    event->accept();
}

void CodeEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    const bool editable = !readOnly_;
    menu.addAction(QStringLiteral("&Deshacer"), this, &CodeEdit::undo)
        ->setEnabled(editable && hasUndo_);
    menu.addSeparator();
    menu.addAction(QStringLiteral("Cor&tar"), this, &CodeEdit::cut)
        ->setEnabled(editable && hasSelection());
    menu.addAction(QStringLiteral("&Copiar"), this, &CodeEdit::copy)->setEnabled(hasSelection());
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    menu.addAction(QStringLiteral("&Pegar"), this, &CodeEdit::paste)
        ->setEnabled(editable && data != nullptr && data->hasText());
    menu.addAction(QStringLiteral("&Eliminar"), this, [this] { replaceSelection(QString()); })
        ->setEnabled(editable && hasSelection());
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Seleccionar todo"), this, &CodeEdit::selectAll)
        ->setEnabled(!text_.isEmpty());
    menu.exec(event->globalPos());
}

// --- Layout -----------------------------------------------------------------------------------

qreal CodeEdit::advance(char16_t c) const {
    float& known = advances_[c];
    if (known < 0) {
        // Measured through a string, so that a character the font lacks is measured in the
        // font that will draw it.
        known = static_cast<float>(QFontMetricsF(font()).horizontalAdvance(QString(shownAs(c))));
    }
    return known;
}

qreal CodeEdit::tabAdvance(qreal x) const {
    const qreal stop = std::max<qreal>(1, kTabColumns * advance(u' '));
    return (std::floor(x / stop) + 1) * stop - x;
}

qreal CodeEdit::advanceAt(int position, qreal x) const {
    const char16_t c = text_.at(position).unicode();
    if (c == u'\t') {
        return tabAdvance(x);
    }
    if (QChar::isLowSurrogate(c) && position > 0 && text_.at(position - 1).isHighSurrogate()) {
        return 0;  // drawn with its first half
    }
    if (QChar::isHighSurrogate(c) && position + 1 < text_.size() &&
        text_.at(position + 1).isLowSurrogate()) {
        return QFontMetricsF(font()).horizontalAdvance(text_.mid(position, 2));
    }
    return advance(c);
}

qreal CodeEdit::wrapWidth() const {
    return std::max<qreal>(1, viewport()->width() - 2 * kMargin);
}

int CodeEdit::visibleLines() const {
    return std::max(1, static_cast<int>((viewport()->height() - kMargin) / lineHeight_));
}

// Finds where every line starts, in one pass: a line feed ends a line; a line too long for the
// box breaks after its last blank, or anywhere in a run without blanks. Blanks at the end of a
// line hang past the edge, as in any editor.
void CodeEdit::relayout(int fromLine) {
    const QFontMetricsF metrics(font());
    lineHeight_ = std::max<qreal>(1, metrics.lineSpacing());
    ascent_ = metrics.ascent();
    laidOutWidth_ = wrapWidth();

    // A line starts with nothing measured yet, so the pass can start again at any line.
    lineStarts_.resize(static_cast<std::size_t>(std::clamp(fromLine, 0, lineCount() - 1)) + 1);
    const int length = static_cast<int>(text_.size());
    const char16_t* chars = reinterpret_cast<const char16_t*>(text_.constData());
    int start = lineStarts_.back();
    int afterBlank = -1;  // where the line could break: after its last blank
    qreal x = 0;
    for (int i = start; i < length; ++i) {
        const char16_t c = chars[i];
        if (c == u'\n') {
            start = i + 1;
            lineStarts_.push_back(start);
            afterBlank = -1;
            x = 0;
            continue;
        }
        qreal w = c < 128 && c >= 32 ? advances_[c] : -1;
        if (w < 0) {
            w = advanceAt(i, x);
        }
        if (x + w > laidOutWidth_ && i > start && !isBlank(c)) {
            start = afterBlank > start ? afterBlank : i;
            lineStarts_.push_back(start);
            afterBlank = -1;
            // The word carried to the new line is measured again from its start.
            x = 0;
            for (int j = start; j < i; ++j) {
                x += advanceAt(j, x);
            }
            w = advanceAt(i, x);
        }
        x += w;
        if (isBlank(c)) {
            afterBlank = i + 1;
        }
    }
    updateScrollBar();
}

void CodeEdit::updateScrollBar() {
    QScrollBar* bar = verticalScrollBar();
    const int page = visibleLines();
    bar->setRange(0, std::max(0, lineCount() - page));
    bar->setPageStep(page);
    bar->setSingleStep(1);
}

int CodeEdit::lineOf(int position) const {
    const auto it = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position);
    return static_cast<int>(it - lineStarts_.begin()) - 1;
}

// Where a line's text ends: before its line feed, if it has one.
int CodeEdit::lineEnd(int line) const {
    const bool last = line + 1 >= lineCount();
    int end = last ? static_cast<int>(text_.size()) : lineStart(line + 1);
    if (end > lineStart(line) && text_.at(end - 1) == QLatin1Char('\n')) {
        --end;
    }
    return end;
}

qreal CodeEdit::xOf(int position) const {
    qreal x = 0;
    for (int i = lineStart(lineOf(position)); i < position; ++i) {
        x += advanceAt(i, x);
    }
    return x;
}

int CodeEdit::positionAt(const QPoint& point) const {
    const int line = std::clamp(
        firstVisibleLine() + static_cast<int>(std::floor((point.y() - kMargin) / lineHeight_)), 0,
        lineCount() - 1);
    const int end = lineEnd(line);
    const qreal wanted = point.x() - kMargin;
    qreal x = 0;
    for (int i = lineStart(line); i < end; ++i) {
        const qreal w = advanceAt(i, x);
        if (wanted < x + w / 2) {
            return i;
        }
        x += w;
    }
    return end;
}

qsizetype CodeEdit::positionAt(const QPointF& point) const {
    return positionAt(point.toPoint());
}

QRectF CodeEdit::characterRect(qsizetype position) const {
    const int at = static_cast<int>(std::clamp<qsizetype>(position, 0, text_.size()));
    const int line = lineOf(at);
    const qreal x = xOf(at);
    const qreal width = at < lineEnd(line) ? advanceAt(at, x) : 1;
    return QRectF(kMargin + x, kMargin + (line - firstVisibleLine()) * lineHeight_, width,
                  lineHeight_);
}

QRectF CodeEdit::caretRect() const {
    const int line = lineOf(caret_);
    return QRectF(kMargin + xOf(caret_), kMargin + (line - firstVisibleLine()) * lineHeight_, 1,
                  lineHeight_);
}

void CodeEdit::ensureCaretVisible() {
    const int line = lineOf(caret_);
    QScrollBar* bar = verticalScrollBar();
    if (line < bar->value()) {
        bar->setValue(line);
    } else if (line >= bar->value() + visibleLines()) {
        bar->setValue(line - visibleLines() + 1);
    }
}

void CodeEdit::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (wrapWidth() != laidOutWidth_) {
        relayout();
    } else {
        updateScrollBar();
    }
}

void CodeEdit::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        std::fill(advances_.begin(), advances_.end(), -1.0f);
        relayout();
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
    caretShown_ = !caretShown_;
    viewport()->update(caretRect().toAlignedRect().adjusted(-1, 0, 1, 0));
}

void CodeEdit::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setFont(font());
    const QPalette& colours = palette();
    const QColor ink = colours.color(QPalette::Text);
    const QColor markInk = colours.color(QPalette::HighlightedText);
    const QColor mark =
        colours.color(hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight);
    const int selFrom = selectionStart();
    const int selTo = selectionEnd();

    const int first = std::max(
        0, firstVisibleLine() + static_cast<int>((event->rect().top() - kMargin) / lineHeight_));
    const int last =
        std::min(lineCount() - 1,
                 firstVisibleLine() +
                     static_cast<int>(std::ceil((event->rect().bottom() - kMargin) / lineHeight_)));
    for (int line = first; line <= last; ++line) {
        const qreal top = kMargin + (line - firstVisibleLine()) * lineHeight_;
        const int end = lineEnd(line);
        qreal x = 0;
        for (int i = lineStart(line); i < end; ++i) {
            const qreal w = advanceAt(i, x);
            const bool selected = i >= selFrom && i < selTo;
            if (selected) {
                painter.fillRect(QRectF(kMargin + x, top, w, lineHeight_), mark);
            }
            const QChar c = text_.at(i);
            if (c != QLatin1Char('\t') && w > 0) {
                const QString glyph =
                    c.isHighSurrogate() ? text_.mid(i, 2) : QString(shownAs(c.unicode()));
                painter.setPen(selected ? markInk : ink);
                painter.drawText(QPointF(kMargin + x, top + ascent_), glyph);
            }
            x += w;
        }
        // A selected line break shows as a narrow mark after the line.
        if (end < text_.size() && end >= selFrom && end < selTo) {
            painter.fillRect(QRectF(kMargin + x, top, advance(u' '), lineHeight_), mark);
        }
    }
    if (caretShown_ && hasFocus()) {
        painter.fillRect(caretRect(), ink);
    }
}

}  // namespace trelvane
