// The two menu bars and the status panes.
#include "resources/menu_tables.h"

namespace quorbel {

namespace {

constexpr MenuEntry Popup(std::string_view text) { return {MenuEntryKind::Popup, 0, text}; }
constexpr MenuEntry End() { return {MenuEntryKind::EndPopup}; }
constexpr MenuEntry Item(CommandId id) { return {MenuEntryKind::Item, id}; }
constexpr MenuEntry Sep() { return {MenuEntryKind::Separator}; }

// clang-format off
constexpr MenuEntry kFrenchMenu[] = {
    Popup("&Fichier"),
    Item(57600), Item(33118), Item(32965), Sep(),
    Item(57601), Item(57603), Item(57604), Item(33520), Sep(),
    Popup("I&mporter"), Item(33500), Item(33501), Item(33502), Sep(), Item(33503), End(), Sep(),
    Item(57607), Item(57609), Item(57606), Sep(),
    Item(57616), Sep(),
    Item(57665),
    End(),

    Popup("&Edition"),
    Item(57643), Item(57644), Sep(),
    Item(57635), Item(57634), Item(57637), Item(57632), Sep(),
    Item(33114), Sep(),
    Popup("S&can"), Item(33505), Item(33506), Item(33507), End(),
    End(),

    Popup("Afficha&ge"),
    Item(32856), Item(32813), Item(32853), Item(32854), Item(33022), Item(33030), Item(33063), Sep(),
    Popup("Affichage Poss &Cases"),
    Item(32772), Item(32773), Item(32774), Item(32775), Item(32776), Item(32777), Sep(), Item(33174),
    End(),
    Popup("Type de C&ellule"), Item(33162), Item(33161), Item(33169), Item(33164), End(),
    Popup("Affichage C&ase"), Item(33129), Item(33130), Item(33131), Item(33132), End(),
    Item(32939), Sep(),
    Item(32818), Item(32819), Item(32871), Sep(),
    Item(33171), Item(33153), Item(33154), Sep(),
    Item(33029), Item(32790), Item(33026), Item(33055), Item(33184), Sep(),
    Item(33182),
    End(),

    Popup("&Sudoku"),
    Item(32779), Item(32786), Item(32787), Item(32788), Item(32935), Sep(),
    Popup("&Génère une Grille"), Item(32799), Item(32800), Item(32801), Item(32802), End(),
    Item(33258), Sep(),
    Item(32805), Item(32806), Sep(),
    Item(33110), Item(33044), Item(33143), Sep(),
    Item(33181), Item(33224),
    End(),

    Popup("&Language"), Item(32885), Item(32886), End(),

    Popup("&Aide"),
    Item(57667), Sep(),
    Item(32946),
    Popup("&Exemples"),
    Item(32949), Item(32951), Item(32948), Item(32960), Item(33040), Item(33041),
    End(),
    Item(32870), Sep(),
    Item(33178), Item(57664),
    End(),

    Popup("D1"),
    Item(33300), Item(33301), Item(33302), Item(33303), Item(33304), Item(33305), Item(33306),
    Item(33307), Item(33308), Item(33309), Item(33310), Item(33311), Item(33312), Item(33313),
    Item(33314), Item(33315), Item(33316), Item(33317), Item(33318), Item(33319), Item(33320),
    Item(33321), Item(33322), Item(33323), Item(33340), Item(33341), Item(33342), Item(33343),
    Item(33344), Item(33345), Item(33346),
    End(),

    Popup("D2"),
    Item(33347), Item(33348), Item(33349), Item(33350), Item(33351), Item(33352), Item(33353),
    Item(33354), Item(33355), Item(33356), Item(33357), Item(33358), Item(33359), Item(33360),
    Item(33361), Item(33362), Item(33363), Item(33380), Item(33381), Item(33382), Item(33383),
    Item(33384), Item(33385), Item(33386), Item(33387), Item(33388), Item(33389), Item(33390),
    Item(33391), Item(33392), Item(33393),
    End(),

    Popup("D3"),
    Item(33394), Item(33395), Item(33396), Item(33397), Item(33398), Item(33399), Item(33400),
    Item(33401), Item(33402), Item(33403), Item(33420), Item(33421), Item(33422), Item(33423),
    Item(33424), Item(33425), Item(33426), Item(33427), Item(33428), Item(33429), Item(33430),
    Item(33431), Item(33432), Item(33324), Item(33433), Item(33434), Item(33435), Item(33436),
    Item(33437), Item(33438), Item(33439), Item(33440),
    End(),
};

constexpr MenuEntry kEnglishMenu[] = {
    Popup("&File"),
    Item(32888), Item(33119), Item(32966), Sep(),
    Item(32889), Item(32890), Item(32924), Item(33521), Sep(),
    Popup("I&mport"), Item(33510), Item(33511), Item(33512), Sep(), Item(33513), End(), Sep(),
    Item(32925), Item(32926), Item(32927), Sep(),
    Item(57616), Sep(),
    Item(32929),
    End(),

    Popup("&Edit"),
    Item(32891), Item(32892), Sep(),
    Item(33137), Item(33138), Item(33139), Item(32893), Sep(),
    Item(33140), Sep(),
    Popup("S&can"), Item(33515), Item(33516), Item(33517), End(),
    End(),

    Popup("&Display"),
    Item(32857), Item(32896), Item(32897), Item(32898), Item(33023), Item(33032), Item(33065), Sep(),
    Popup("Display Poss &Cells"),
    Item(32902), Item(32903), Item(32904), Item(32905), Item(32906), Item(32907), Sep(), Item(33175),
    End(),
    Popup("C&ell Type"), Item(33165), Item(33166), Item(33167), Item(33168), End(),
    Popup("Display C&ells"), Item(33135), Item(33133), Item(33134), Item(33136), End(),
    Item(32940), Sep(),
    Item(32931), Item(32932), Item(32933), Sep(),
    Item(33172), Item(33151), Item(33152), Sep(),
    Item(33028), Item(32900), Item(33027), Item(33055), Item(33183), Sep(),
    Item(33182),
    End(),

    Popup("&Sudoku"),
    Item(32910), Item(32911), Item(32912), Item(32913), Item(32937), Sep(),
    Popup("&Generate a Grid"), Item(32914), Item(32915), Item(32916), Item(32917), End(),
    Item(33260), Sep(),
    Item(32908), Item(32909), Sep(),
    Item(33144), Item(33048), Item(33143), Sep(),
    Item(33186), Item(33226),
    End(),

    Popup("&Language"), Item(32921), Item(32922), End(),

    Popup("&Help"),
    Item(32918), Sep(),
    Item(32959),
    Popup("&Examples"),
    Item(32954), Item(32955), Item(32958), Item(32956), Item(33037), Item(33038),
    End(),
    Item(32920), Sep(),
    Item(33179), Item(32919),
    End(),
};
// clang-format on

} // namespace

std::span<const MenuEntry> MenuBarTable(Language language) {
  if (IsEnglish(language))
    return kEnglishMenu;
  return kFrenchMenu;
}

const StatusPane StatusPanes[kStatusPaneCount] = {
    {0, ""},
    {59137, "CAP"},
    {59138, "NUM"},
    {59139, "SCRL"},
    {59147, "MACRO"},
    {59146, "Champion"},
    {59144, " 0...9"},
    {59143, "Restant: xxx"},
    {59145, "Score:19,45"},
    {59142, "00:00:00"},
};

} // namespace quorbel
