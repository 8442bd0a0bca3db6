#pragma once
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QLabel;
class cuiGrid;
class cuiSheet;
class indDocHost;

// One sheet on screen: built by name over the document's image with the
// cell link handler as its link. The main window's sheet area embeds it;
// opening another sheet replaces the one shown.
class cuiSheetPanel : public QWidget {
    Q_OBJECT

public:
    explicit cuiSheetPanel(indDocHost& host, QWidget* parent = nullptr);
    ~cuiSheetPanel() override;

    // Builds and shows the sheet a request names ("GI_Sheet_TopPage",
    // "[St_ChBank]..."); false when the text table has no such sheet.
    bool ShowSheet(const std::string& request);
    void Clear();

    // Sheets built from now on scale their fonts by this percentage.
    void SetFontSizePercent(int32_t percent) { m_fontPercent = percent; }
    // Where the shown sheet is: the grid's scroll position and current cell
    // (scroll column, scroll row, cell column, cell row).
    std::array<int32_t, 4> Position() const;
    void RestorePosition(const std::array<int32_t, 4>& position);

    cuiGrid* Grid() const { return m_grid; }
    // The sheet's title bar; hidden when the sheet has no title.
    QLabel* TitleBar() const { return m_title; }
    cuiSheet* Sheet() const { return m_sheet.get(); }

private:
    indDocHost& m_host;
    void ShowTitle(const cuiSheet& sheet);

    QLabel* m_title = nullptr;
    cuiGrid* m_grid = nullptr;
    std::unique_ptr<cuiSheet> m_sheet;
    int32_t m_fontPercent = 100;
};
