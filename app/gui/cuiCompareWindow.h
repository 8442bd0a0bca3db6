#pragma once
#include <QDialog>
#include <vector>

#include "model/indImageDiff.h"

class cmcGTex;

// The differences between the document and the radio or a file: one row
// per differing cell (sheet, row, item, the document's value, the other's),
// raw bytes by address. It stays open beside the main window, so the person
// can walk the sheets while reading it.
class cuiCompareWindow : public QDialog {
    Q_OBJECT

public:
    enum class Other { Radio, File };

    cuiCompareWindow(QWidget* owner, cmcGTex& table, Other other,
                     const std::vector<indImageDiff::Difference>& differences);

    // Shows a new window, replacing one still open from an earlier compare.
    static cuiCompareWindow* Show(QWidget* owner, cmcGTex& table, Other other,
                                  const std::vector<indImageDiff::Difference>& differences);
};
