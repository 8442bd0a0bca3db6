#pragma once
#include <QWidget>
#include <memory>
#include <string>

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

    cuiGrid* Grid() const { return m_grid; }
    cuiSheet* Sheet() const { return m_sheet.get(); }

private:
    indDocHost& m_host;
    cuiGrid* m_grid = nullptr;
    std::unique_ptr<cuiSheet> m_sheet;
};
