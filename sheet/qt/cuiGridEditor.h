#pragma once
#include <QPlainTextEdit>
#include <functional>

#include "sheet/cuiSheet.h"

// The in-cell editor: a borderless edit without word wrap that holds at most
// 1024 characters. The keys that leave it go to the sheet; losing the focus
// commits.
class cuiGridEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    static constexpr int kMaxChars = 1024;

    explicit cuiGridEditor(QWidget* parent);

    // The sheet's answer to a key; false lets the editor take it.
    std::function<bool(cuiSheet::Key)> onKey;
    std::function<void()> onLeave;

    // Text and caret in characters.
    void Start(const QString& text, int caret, int selectionLength);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Limit();
};
