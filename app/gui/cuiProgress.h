#pragma once
#include <QWidget>
#include <cstdint>
#include <string>

class QFrame;
class cmcGTex;

// The clone progress window: a tool window without buttons, always on top,
// centred on its owner, showing a 32-segment bar. The clone manager sets the
// job's caption and its progress through plain setters; it has no cancel.
class cuiProgress : public QWidget {
    Q_OBJECT

public:
    // Lines of the progress caption entry.
    enum class Job : int { Cloning = 0, Reading = 1, Writing = 2, Searching = 3 };

    static constexpr int kBarWidth = 256;
    static constexpr int kBarHeight = 16;

    cuiProgress(QWidget& owner, cmcGTex& table);

    void SetJob(Job job);
    // The caption as the clone manager hands it over, code page 932.
    void SetCaption(const std::string& caption);
    void SetProgress(int64_t done, int64_t total);
    // Segments to fill as the clone manager counts them (33 x done / total);
    // a finished job's 33rd is drawn as the full bar.
    void SetFilled(int32_t filled);
    int32_t FilledSegments() const { return m_filled; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PaintBar();

    cmcGTex& m_table;
    QFrame* m_bar;
    int32_t m_filled = 0;
};
