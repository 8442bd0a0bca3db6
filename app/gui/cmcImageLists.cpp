#include "app/gui/cmcImageLists.h"

#include <array>

// The images live in a static library, whose resources the linker drops
// unless something names them.
static void InitImageResources() {
    Q_INIT_RESOURCE(images);
}

namespace cmcImageLists {

namespace {

constexpr std::array<const char*, kTreeCount> kTreeNames = {
    "imgIcon_Tree_Rig",   "imgIcon_Tree_Folder01", "imgIcon_Tree_Note01", "imgIcon_Tree_Note02",
    "imgIcon_Tree_Bank0", "imgIcon_Tree_Bank1",    "imgIcon_Tree_Bank2",  "imgIcon_Tree_Bank3",
    "imgIcon_Tree_WarnW_RB", "imgIcon_Tree_WarnE_RB"};

constexpr std::array<const char*, kToolbarCount> kToolbarNames = {
    "imgIcon_Bar_File_New",    "imgIcon_Bar_File_Open",   "imgIcon_Bar_File_Save",
    "imgIcon_Bar_Com1",        "imgIcon_Bar_Com2",        "imgIcon_Bar_Com3",
    "imgIcon_Bar_Com4",        "imgIcon_Bar_Clone_Read",  "imgIcon_Bar_Clone_Write",
    "imgIcon_Bar_Clone_Info",  "imgIcon_Bar_Pcg_Pen",     "imgIcon_Bar_Pcg_Fill",
    "imgIcon_Bar_Pcg_Slider",  "imgIcon_Bar_Clone_MemWrite", "imgIcon_Bar_Change_Mode"};

template <size_t N>
QList<QIcon> Load(const std::array<const char*, N>& names) {
    InitImageResources();
    QList<QIcon> icons;
    for (const char* name : names) {
        icons << QIcon(QStringLiteral(":/images/%1.svg").arg(QLatin1String(name)));
    }
    return icons;
}

}  // namespace

QList<QIcon> Tree() {
    return Load(kTreeNames);
}

QList<QIcon> Toolbar() {
    return Load(kToolbarNames);
}

}  // namespace cmcImageLists
