#pragma once
#include <QPainter>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/gui/cuiPrintProgress.h"
#include "sheet/cmcFont.h"
#include "sheet/cmcRect.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;
class cmcPrintJob;
class cmcPrompt;
class cmcQtPrintTarget;
class indDocHost;

// A print job: the sheets named, in order, on pages with a frame, one sheet
// per Step so that the application keeps painting and the user can cancel.
// The main controller starts it from the two print commands (with the shown
// sheet's name, or every tree node's sheet) and calls Step from its main
// task; the command-line tool runs it on a PDF file without dialogs.
class cuiPrintJob {
public:
    // Everything given must outlive the job. `enableMainWindow` is called
    // with false when a job starts and with true when it ends.
    cuiPrintJob(QWidget* parent, indDocHost& host, cmcPrompt& prompt,
                std::function<void(bool)> enableMainWindow);
    ~cuiPrintJob();
    cuiPrintJob(const cuiPrintJob&) = delete;
    cuiPrintJob& operator=(const cuiPrintJob&) = delete;

    // Whether the system has a printer; by default any installed printer or
    // the print dialog's PDF file, which is always there.
    std::function<bool()> printerAvailable;
    // The printer set-up dialog; false when cancelled. By default the
    // system's print dialog.
    std::function<bool(QPrinter&)> setupDialog;

    // The print commands: commits the cell being edited, asks for the
    // printer and starts. Sheets without a name are tree nodes that open
    // none. False when nothing was started.
    bool StartPrint(const std::vector<std::string>& sheets);
    // The same job on a device of the caller's, without dialogs or progress
    // window.
    void Begin(QPagedPaintDevice& device, const std::vector<std::string>& sheets);
    // One sheet; the last one ends the job.
    void Step();
    bool Running() const { return m_active; }
    // What the progress window's Cancel does.
    void Cancel() { m_cancel = true; }
    // The device could not be written (the file did not open).
    bool Failed() const { return m_failed; }

    // The print rectangle and the page frame, in device pixels, of the job
    // last begun.
    const cmcRect& PrintRect() const { return m_printRect; }
    const cmcQtPrintTarget* Target() const { return m_target.get(); }
    cuiPrintProgress* Progress() const { return m_progress; }

private:
    void Prepare(QPagedPaintDevice& device, const std::vector<std::string>& sheets);
    void StepOnce();
    void PrintSheet(const std::string& request);
    void Finish();
    cmcFont FrameFont() const;
    std::string FrameTitle() const;

    QWidget* m_parent;
    indDocHost& m_host;
    cmcPrompt& m_prompt;
    std::function<void(bool)> m_enableMainWindow;

    std::unique_ptr<QPrinter> m_printer;
    QPagedPaintDevice* m_device = nullptr;
    QPainter m_painter;
    std::unique_ptr<cmcQtPrintTarget> m_target;
    std::unique_ptr<cmcPrintJob> m_placement;
    QPointer<cuiPrintProgress> m_progress;
    std::vector<std::string> m_sheets;
    size_t m_node = 0;
    cmcRect m_printRect;
    bool m_active = false;
    bool m_stepping = false;
    bool m_cancel = false;
    bool m_failed = false;
    bool m_windowDisabled = false;
};
