#include "app/gui/cmcQtPrompt.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "app/gui/cmcQtText.h"

using cmcQtText::FromCp932;

namespace {

QMessageBox::Icon QtIcon(cmcPrompt::Icon icon) {
    switch (icon) {
    case cmcPrompt::Icon::Stop:
        return QMessageBox::Critical;
    case cmcPrompt::Icon::Exclamation:
        return QMessageBox::Warning;
    case cmcPrompt::Icon::Information:
        return QMessageBox::Information;
    case cmcPrompt::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(cmcPrompt::Buttons buttons) {
    switch (buttons) {
    case cmcPrompt::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case cmcPrompt::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case cmcPrompt::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case cmcPrompt::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

cmcPrompt::Answer FromQt(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return cmcPrompt::Answer::Yes;
    case QMessageBox::No:
        return cmcPrompt::Answer::No;
    case QMessageBox::Ok:
        return cmcPrompt::Answer::Ok;
    default:
        return cmcPrompt::Answer::Cancel;
    }
}

QString StartPath(const cmcPrompt::FileRequest& request) {
    return QDir(cmcQtText::FromPath(request.folder))
        .filePath(cmcQtText::FromPath(request.fileName));
}

cmcPrompt::Answer Chosen(const QString& chosen, std::string& path) {
    if (chosen.isEmpty()) {
        return cmcPrompt::Answer::Cancel;
    }
    path = cmcQtText::ToPath(chosen);
    return cmcPrompt::Answer::Ok;
}

}  // namespace

cmcPrompt::Answer cmcQtPrompt::Message(const std::string& text, const std::string& caption,
                                       Icon icon, Buttons buttons) {
    QMessageBox box(QtIcon(icon), FromCp932(caption), FromCp932(text), QtButtons(buttons),
                    m_owner);
    return FromQt(box.exec());
}

cmcPrompt::Answer cmcQtPrompt::OpenFileDialog(const FileRequest& request, std::string& path) {
    QString chosen = QFileDialog::getOpenFileName(m_owner, {}, StartPath(request),
                                                  Filter(request.filter));
    return Chosen(chosen, path);
}

cmcPrompt::Answer cmcQtPrompt::SaveFileDialog(const FileRequest& request, std::string& path) {
    QFileDialog dialog(m_owner, {}, StartPath(request), Filter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(FromCp932(request.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return Answer::Cancel;
    }
    return Chosen(dialog.selectedFiles().first(), path);
}

QString cmcQtPrompt::Filter(const std::string& tableFilter) {
    QStringList parts = FromCp932(tableFilter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(';', ' ');
        // Labels carry their pattern already; Qt reads the one in brackets.
        filters << (parts[i].contains('(') ? parts[i] : parts[i] + " (" + pattern + ")");
    }
    return filters.join(";;");
}
