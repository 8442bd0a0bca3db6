#pragma once
#include <QWidget>
#include <functional>

class QPainter;

// The status bar's one panel, drawn by its owner: the painter callback gets
// the panel's rectangle.
class cuiStatusPanel : public QWidget {
    Q_OBJECT

public:
    using Painter = std::function<void(QPainter&, const QRect&)>;

    explicit cuiStatusPanel(QWidget* parent = nullptr);
    void SetPainter(Painter painter) { m_painter = std::move(painter); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Painter m_painter;
};
