#include "sheet/qt/cuiGridEditor.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QTextCursor>
#include <algorithm>
#include <optional>

#include "sheet/qt/cuiGridKeys.h"

cuiGridEditor::cuiGridEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setFrameStyle(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(0);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { Limit(); });
    hide();
}

void cuiGridEditor::Start(const QString& text, int caret, int selectionLength) {
    {
        const QSignalBlocker blocker(this);
        setPlainText(text.left(kMaxChars));
    }
    QTextCursor cursor = textCursor();
    const int length = static_cast<int>(toPlainText().size());
    const int from = std::clamp(caret, 0, length);
    cursor.setPosition(from);
    cursor.setPosition(std::clamp(from + selectionLength, 0, length), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void cuiGridEditor::Limit() {
    const QString text = toPlainText();
    if (text.size() <= kMaxChars) {
        return;
    }
    const QSignalBlocker blocker(this);
    setPlainText(text.left(kMaxChars));
    moveCursor(QTextCursor::End);
}

void cuiGridEditor::keyPressEvent(QKeyEvent* event) {
    const std::optional<cuiSheet::Key> key = cuiGridKeys::KeyOf(event->key());
    if (key && onKey && onKey(*key)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void cuiGridEditor::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    // A pop-up menu of the editor itself takes the focus without leaving it.
    if (event->reason() != Qt::PopupFocusReason && isVisible() && onLeave) {
        onLeave();
    }
}
