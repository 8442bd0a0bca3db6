#include "files/indImageFile.h"

#include "runtime/cmcPrompt.h"
#include "files/FileErr.h"
#include "files/cmcRcfFile.h"
#include "model/cmcEeprom.h"
#include "model/indModelRules.h"
#include "text/cmcGTex.h"

namespace rules = indModelRules;

indImageFile::indImageFile(cmcGTex& table, cmcPrompt* prompt) : m_table(table), m_prompt(prompt) {}

int indImageFile::Open(const std::string& path, cmcEeprom& image) {
    return Load(path, image, false);
}

int indImageFile::LoadInitial(const std::string& path, cmcEeprom& image) {
    return Load(path, image, true);
}

int indImageFile::Load(const std::string& path, cmcEeprom& image, bool initial) {
    cmcEeprom work;
    work.Assign(image);
    work.Fill(0);
    cmcRcfFile file(m_table, m_prompt);
    file.SetImage(&work);
    file.SetIds(rules::kModelCode, rules::kExtraCode);
    file.SetModelCheck(rules::CheckFileModel);
    file.SetMapRevCheck(rules::CheckMapRev);
    AddrRangeList coverage = rules::GetRangeList(rules::kRangeLoadCoverage);
    int result = file.ReadImage(path, initial ? &coverage : nullptr);
    if (result != FileErr::kNone) {
        return result;
    }
    result = rules::CheckLoadedImage(work) ? file.CheckCoverage(coverage) : FileErr::kData;
    if (result != FileErr::kNone) {
        file.ShowFileError(result);
        return result;
    }
    image.Assign(work);
    rules::AfterLoad(image);
    return FileErr::kNone;
}

int indImageFile::Save(const std::string& path, cmcEeprom& image) {
    rules::BeforeSave(image);
    cmcRcfFile file(m_table, m_prompt);
    file.SetImage(&image);
    file.SetIds(rules::kModelCode, rules::kExtraCode);
    file.SetMapRev(1);
    return file.WriteImage(path, rules::GetRangeList(rules::kRangeSave));
}

void indImageFile::ShowInitialFileError(const std::string& path) {
    if (m_prompt == nullptr) {
        return;
    }
    // The text names the file at its "%s"; replaced here rather than used as
    // a format, so a path with '%' in it stays as it is.
    std::string text = m_table.GetBody("GI_Mess_FileErr_OpenRcs");
    size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, path);
    }
    m_prompt->Message(text, m_table.GetLine("GI_Sys_AppTitle", 0), cmcPrompt::Icon::Stop,
                      cmcPrompt::Buttons::Ok);
}
