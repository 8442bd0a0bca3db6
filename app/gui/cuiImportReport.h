#pragma once
#include <QDialog>
#include <string>
#include <vector>

class cmcGTex;

// What an import adjusted or refused, one line per field, in a read-only
// box. Modal, centred on its owner, with one button that is both the
// default and the cancel button.
class cuiImportReport : public QDialog {
    Q_OBJECT

public:
    // lines: code page 932, as the CSV file's report gives them.
    cuiImportReport(QWidget* owner, cmcGTex& table, const std::vector<std::string>& lines);

    // Shows the report and returns once it is closed.
    static void Show(QWidget* owner, cmcGTex& table, const std::vector<std::string>& lines);
};
