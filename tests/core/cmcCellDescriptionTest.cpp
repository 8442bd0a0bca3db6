// This radio's own descriptions, parsed against the cell models they name.
#include <gtest/gtest.h>

#include "CellTestSupport.h"
#include "sheet/cmcCellObj.h"

namespace {

using celltest::Describe;
using celltest::Sj;

struct Row {
    const char* text;                // UTF-8, as the table holds it
    std::vector<std::string> cells;  // Describe() of each cell in turn
};

struct Description {
    const char* name;
    const char* basicCell;
    const char* basicCellObject;  // Describe() of the BasicCell object
    const char* popupMenu;        // the cells' effective pop-up menu
    std::vector<Row> rows;
};

const char kFont[] = "'ＭＳ Ｐゴシック'";

std::string F(const std::string& inner) {
    return "font{" + std::string(kFont) + inner + "}";
}

class cmcCellDescriptionTest : public celltest::CellTest {
protected:
    // Every cell of a row, in turn, as the sheet builder walks it.
    std::vector<std::string> ParseRow(const std::string& row, const cmcCellObj& parent) {
        const std::string text = Sj(row);
        std::vector<std::string> cells;
        std::string_view rest = text;
        do {
            cmcCellObj cell;
            rest = ParseCell(context, rest, cell, &vars, &parent);
            cells.push_back(Describe(cell));
            EXPECT_EQ(cell.EffectivePopupMenu(), m_popupMenu) << cells.back();
            if (!cell.font) {
                EXPECT_EQ(cell.EffectiveFont(), &*parent.font) << cells.back();
            }
        } while (!rest.empty());
        return cells;
    }

    void Check(const Description& d) {
        SCOPED_TRACE(d.name);
        cmcCellObj basic = Parse(d.basicCell);
        EXPECT_EQ(Describe(basic), d.basicCellObject);
        ASSERT_TRUE(basic.font.has_value());
        m_popupMenu = d.popupMenu;
        for (const Row& row : d.rows) {
            EXPECT_EQ(ParseRow(row.text, basic), row.cells) << row.text;
        }
    }

    std::string m_popupMenu;
};

}  // namespace

TEST_F(cmcCellDescriptionTest, Sheets) {
    const Description sheets[] = {
        {"top page",
         "{($Basic)(Font=,,clBlack,,,,)(PopupMenu=)}",
         "v=middle popup='' font{'ＭＳ Ｐゴシック' color=00000000 h=-17}",
         "",
         {
             {"|{H(Font=,,,%50,,,)}\\_",
              {"v=middle", "H v=middle " + F(" color=00000000 h=-8") + " text=' '"}},
             {"|{WH^-(Font=,,clGreen,%200,,fsBold,)(%CL_AppInfo_Title)}WWWWWWW",
              {"v=middle", "W H h=centre v=middle link=CL_AppInfo_Title " +
                               F(" color=00008000 h=-34 bold") + " text='WWWWWWW'"}},
             {"|{WH^-(Font=,,clBlue,%80,,fsBold,)(%CL_AppInfo_Revision)}Revision",
              {"v=middle", "W H h=centre v=middle link=CL_AppInfo_Revision " +
                               F(" color=00FF0000 h=-13 bold") + " text='Revision'"}},
             {"|{H(Color=clRed)(Font=ANSI_CHARSET,Arial,,%5,,,)}\\_",
              {"v=middle",
               "H v=middle color=000000FF font{cs=0 'Arial' color=00000000 h=1} text=' '"}},
             {"|{WH^-(Font=,,,%120,,fsBold,)(%CL_AppInfo_SubTitle)}"
              "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW",
              {"v=middle", "W H h=centre v=middle link=CL_AppInfo_SubTitle " +
                               F(" color=00000000 h=-20 bold") + " text='" + std::string(33, 'W') +
                               "'"}},
             {"|{H}\\_", {"v=middle", "H v=middle text=' '"}},
             {"|{H(Color=clPurple)(Font=ANSI_CHARSET,Arial,,%5,,,)}\\_",
              {"v=middle",
               "H v=middle color=00800080 font{cs=0 'Arial' color=00000000 h=1} text=' '"}},
         }},
        {"base settings",
         "{($Basic)}",
         "v=middle popup='GI_PMenu_Edit' font{'ＭＳ Ｐゴシック' h=-17}",
         "GI_PMenu_Edit",
         {
             {"|{($iCG)}本体設定\t\t\t\t\t\t\t\t|{+}|{+}",
              {"v=middle",
               "W H v=bottom color=00008000 " + F(" color=00FFFFFF h=-17 bold") +
                   " text='本体設定'",
               "+ v=middle", "+ v=middle"}},
             {"|{($iCL)}機器ID\t\t\t\t\t\t\t\t||{($eWh)(%CL_DigCall_SelfId)}WWWWWWWWWWWWWW",
              {"v=middle",
               "W H v=bottom color=00808080 " + F(" color=00FFFFFF h=-17 bold") + " text='機器ID'",
               "v=middle",
               "W H B S v=bottom link=CL_DigCall_SelfId " + F(" h=-17") +
                   " text='WWWWWWWWWWWWWW'"}},
             {"|{($iCL)}機器名称送信\t\t\t\t\t\t\t\t||{($eWh)(%CL_DigCall_TxMyName)}",
              {"v=middle",
               "W H v=bottom color=00808080 " + F(" color=00FFFFFF h=-17 bold") +
                   " text='機器名称送信'",
               "v=middle", "W H B S v=bottom link=CL_DigCall_TxMyName " + F(" h=-17")}},
         }},
        {"individual list",
         "{($Basic)(%CT_IndvList.)(PopupMenu=GI_PMenu_CopyPaste)}",
         "v=middle cat=CT_IndvList popup='GI_PMenu_CopyPaste' font{'ＭＳ Ｐゴシック' h=-17}",
         "GI_PMenu_CopyPaste",
         {
             {"|{($iChN)^(@ch0=0)}No.\t\t\t\t\t\t||{($iChI)}有効\t\t\t\t\t\t||{($iChI)}名称"
              "\t\t\t\t\t\t\t\t\t\t\t\t||{($iChGG)}機器ID\t\t\t\t\t\t\t\t\t\t |{+}|{+}"
              "\t\t\t\t\t\t\t\t\t\t\t\t \t  |{+}|{+}\t\t\t\t\t\t\t\t\t\t\t\t \t  ||",
              {"v=middle cat=CT_IndvList",
               "W H B h=centre v=middle color=00008080 cat=CT_IndvList " +
                   F(" color=00FFFFFF h=-17 bold") + " text='No.'",
               "v=middle cat=CT_IndvList",
               "W H h=centre v=middle color=00808080 cat=CT_IndvList " +
                   F(" color=00FFFFFF h=-17 bold") + " text='有効'",
               "v=middle cat=CT_IndvList",
               "W H h=centre v=middle color=00808080 cat=CT_IndvList " +
                   F(" color=00FFFFFF h=-17 bold") + " text='名称'",
               "v=middle cat=CT_IndvList",
               "H v=bottom color=00808080 cat=CT_IndvList " + F(" color=00FFFFFF h=-17 bold") +
                   " text='機器ID'",
               "+ v=middle cat=CT_IndvList", "+ v=middle cat=CT_IndvList",
               "+ v=middle cat=CT_IndvList", "+ v=middle cat=CT_IndvList",
               "v=middle cat=CT_IndvList"}},
             // "(@ch0++)" stands in for the builder's loop step.
             {"{(@ch0++)(@ch0++)(@ch0++)(@ch0++)}|"
              "{($iChN)^(%CT_Null.CL_Mch_NoI[@ch0])}WW999\t||{($emWh)(%CL_IndvList_Valid[0])}"
              "WWWWW\t|{($iSp)}|{($emWh)(%CL_IndvList_Name[@ch0])}WWWWWWWWWWWW\t|{($iSp)}|"
              "{($emWh)(%CL_IndvList_MakerId[@ch0])}9999999999\t||{($iChIW)}- ||"
              "{($emWh)(%CL_IndvList_IndvNo[@ch0])}9999999999\t||",
              {"v=middle cat=CT_IndvList",
               "W H B h=centre v=middle color=00008080 cat=CT_Null link=CL_Mch_NoI idx=4 " +
                   F(" color=00FFFFFF h=-17 bold") + " text='WW999'",
               "v=middle cat=CT_IndvList",
               "W H B S h=centre v=bottom cat=CT_IndvList link=CL_IndvList_Valid " + F(" h=-17") +
                   " text='WWWWW'",
               "v=middle color=00808080 cat=CT_IndvList",
               "W H B S h=centre v=bottom cat=CT_IndvList link=CL_IndvList_Name idx=4 " +
                   F(" h=-17") + " text='WWWWWWWWWWWW'",
               "v=middle color=00808080 cat=CT_IndvList",
               "W H B S h=centre v=bottom cat=CT_IndvList link=CL_IndvList_MakerId idx=4 " +
                   F(" h=-17") + " text='9999999999'",
               "v=middle cat=CT_IndvList",
               "W H h=centre v=middle color=00FFFFFF cat=CT_IndvList " +
                   F(" color=00000000 h=-17 bold") + " text='-'",
               "v=middle cat=CT_IndvList",
               "W H B S h=centre v=bottom cat=CT_IndvList link=CL_IndvList_IndvNo idx=4 " +
                   F(" h=-17") + " text='9999999999'",
               "v=middle cat=CT_IndvList"}},
         }},
        {"group list",
         "{($Basic)(%CT_GrpList.)(PopupMenu=GI_PMenu_Edit)}",
         "v=middle cat=CT_GrpList popup='GI_PMenu_Edit' font{'ＭＳ Ｐゴシック' h=-17}",
         "GI_PMenu_Edit",
         {
             {"{(@ch0=62)}|{($iChN)^(%CT_Null.CL_Mch_NoI[@ch0])}WW999\t|{($iSp)}|"
              "{($emWh)(%CL_GrpList_Name[@ch0])}WWWWWWWWWWWWWWWWWWWWWW\t",
              {"v=middle cat=CT_GrpList",
               "W H B h=centre v=middle color=00008080 cat=CT_Null link=CL_Mch_NoI idx=62 " +
                   F(" color=00FFFFFF h=-17 bold") + " text='WW999'",
               "v=middle color=00808080 cat=CT_GrpList",
               "W H B S h=centre v=bottom cat=CT_GrpList link=CL_GrpList_Name idx=62 " +
                   F(" h=-17") + " text='WWWWWWWWWWWWWWWWWWWWWW'"}},
         }},
        {"radio information",
         "{($Basic)}",
         "v=middle popup='GI_PMenu_Edit' font{'ＭＳ Ｐゴシック' h=-17}",
         "GI_PMenu_Edit",
         {
             {"|{($ciDat)!W!B(Color=clTeal)(Font=,,clWhite,,,fsBold,)}無線機の情報|{+}",
              {"v=middle",
               "H color=00808000 " + F(" color=00FFFFFF h=16 bold") + " text='無線機の情報'",
               "+ v=middle"}},
             {"|{H(Font=,,,7,,,)}\\_", {"v=middle", "H v=middle " + F(" h=7") + " text=' '"}},
             {"|{($ciInd)}機種名 :\t|{($ciDat)!S(%CL_CloneInfo_Model)}WWWWWWWWWWWW",
              {"v=middle", "W H B h=right " + F(" color=00808000 h=16 bold") + " text='機種名 :'",
               "W H B link=CL_CloneInfo_Model " + F(" h=16") + " text='WWWWWWWWWWWW'"}},
         }},
        {"choice list",
         "{($Basic)($bMn)}",
         "W H color=FF000004 popup='' font{'ＭＳ Ｐゴシック' h=-17}",
         "",
         {
             {"{S(%Flex0[0]:)}無効 \\_", {"W H S color=FF000004 link=Flex0 arg='' text='無効  '"}},
             {"{S(%Flex0[1]:○)}有効",
              {"W H S color=FF000004 link=Flex0 idx=1 arg='○' text='有効'"}},
             {"{S(%Flex0[1])}ON", {"W H S color=FF000004 link=Flex0 idx=1 text='ON'"}},
         }},
        // Menus, toolbars and trees: the item text after the level marks.
        {"main menu",
         "{($Basic)}",
         "v=middle popup='GI_PMenu_Edit' font{'ＭＳ Ｐゴシック' h=-17}",
         "GI_PMenu_Edit",
         {
             {"新規作成(&N)\t\t\t\t\t\t{(%CL_Menu_File_New:Ctrl+N)}",
              {"v=middle link=CL_Menu_File_New arg='Ctrl+N' text='新規作成(&N)'"}},
             {"表示中のシート(&C)...\t\t\t\t{(%CL_Menu_File_Print_Current)}",
              {"v=middle link=CL_Menu_File_Print_Current text='表示中のシート(&C)...'"}},
             {"&3  100% (中)\t\t\t\t\t\t{(%CL_Menu_View_FontSize[100])}",
              {"v=middle link=CL_Menu_View_FontSize idx=100 text='&3  100% (中)'"}},
             {"COMポート(&C)\t\t\t\t\t\t{(%CL_Null)}",
              {"v=middle link=CL_Null text='COMポート(&C)'"}},
             {"ポート選択(&P)...\t\t\t\t\t{(%CL_Menu_Port_ComList1)}",
              {"v=middle link=CL_Menu_Port_ComList1 text='ポート選択(&P)...'"}},
             {"読み込み\t\t{(ImageIndex=7)(%CL_Menu_Clone_Read)}",
              {"v=middle img=7 link=CL_Menu_Clone_Read text='読み込み'"}},
         }},
        {"pop-up menu",
         "{($Basic)(%CT_PopupMenu.)}",
         "v=middle cat=CT_PopupMenu popup='GI_PMenu_Edit' font{'ＭＳ Ｐゴシック' h=-17}",
         "GI_PMenu_Edit",
         {
             {"編集...\t{(%CL_PMenu_Edit:Enter)}",
              {"v=middle cat=CT_PopupMenu link=CL_PMenu_Edit arg='Enter' text='編集...'"}},
             {"１つ下へ\t{(%CL_PMenu_CarryDown:Ctrl+Down)}",
              {"v=middle cat=CT_PopupMenu link=CL_PMenu_CarryDown arg='Ctrl+Down' "
               "text='１つ下へ'"}},
             {"（なし）\t{(%CT_PopupMenu.CL_PMenu_NoItem)}",
              {"v=middle cat=CT_PopupMenu link=CL_PMenu_NoItem text='（なし）'"}},
         }},
        {"tree",
         "{($BasicTree)}",
         "v=middle font{'ＭＳ Ｐゴシック' h=-12}",
         "",
         {
             {"\t\t\t\t\t\t\t\t{(ImageIndex=0)(%CallSheet:GI_Sheet_TopPage)}",
              {"v=middle img=0 link=CallSheet arg='GI_Sheet_TopPage'"}},
             {"本体設定\t\t\t\t{(ImageIndex=2)(%CallSheet:GI_Sheet_BaseSettings)}",
              {"v=middle img=2 link=CallSheet arg='GI_Sheet_BaseSettings' text='本体設定'"}},
         }},
    };
    for (const Description& d : sheets) {
        Check(d);
    }
}

TEST_F(cmcCellDescriptionTest, ModelsApplyAtTheirPlace) {
    const std::pair<const char*, const char*> cases[] = {
        {"{($iChN)^}", "W H B h=centre v=middle color=00008080 font{color=00FFFFFF bold}"},
        {"{^($iChN)}", "W H B h=right v=middle color=00008080 font{color=00FFFFFF bold}"},
        {"{($iChN)!W(Color=clRed)}",
         "H B h=right v=middle color=000000FF font{color=00FFFFFF bold}"},
        {"{($iSp)($iSp)}", "color=00808080"},
    };
    for (const auto& [text, cell] : cases) {
        EXPECT_EQ(Describe(Parse(text)), cell) << text;
    }
}
