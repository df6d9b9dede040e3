#!/usr/bin/env python3
"""Writes the Help menu's demo and examples: data/SudGrid/<name>.macro (French) and
<name>_en.macro (English), Latin-1 with CR LF, and the grid each example plays.

    tools/make_help_macros.py [data folder]

Each example's grid needs its method: quorbel-bench solve --methods shows what a mask solves.
"""
import os
import sys

# Grids: cells row by row, 0 empty. Each is solved by the methods up to its own and not without it.
GRIDS = {
    "ExempleLigne": "008030052140000300000900040806000007710082000000001800260000000000300000030054000",
    "ExempleSingle": "006001300904000000030500400000409008008600030750000004000007000020013000600000190",
    "ExempleProbable": "000090007060080109000500000010040800000000060407006003096000000003000000802300504",
    "ExempleGroup": "200017050000000040000900200086020000000100705009073000003000900000300170907004002",
    "ExempleBurma": "001200860390080000040000903010000000050007000000546070000005000700000008084000300",
    "ExempleColor": "000000609931000000050040000010000002320076080007208001000400008083900700700600010",
}

LCB, PROB, SINGLE, GROUP, BURMA, COLOUR = 0x1, 0x4, 0x10, 0xFE0, 0x7F000, 0x80000
ALL = LCB | PROB | SINGLE | GROUP | BURMA | COLOUR

EXAMPLES = [
    ("ExempleLigne", LCB,
     ("la méthode Ligne-Colonne-Bloc", "the Line-Column-Block method"),
     ("Une valeur déjà placée dans une ligne, une colonne ou un bloc n'est plus candidate dans les autres cases de cette zone.",
      "A value placed in a line, a column or a block is no longer a candidate in the other cells of that area."),
     ("Quand une case n'a plus qu'un candidat, c'est sa valeur.",
      "When a cell has only one candidate left, that is its value.")),
    ("ExempleSingle", LCB | SINGLE,
     ("la méthode Single (valeur unique)", "the Single method"),
     ("Quand une valeur n'a plus qu'une place possible dans une ligne, une colonne ou un bloc, elle y va.",
      "When a value has only one place left in a line, a column or a block, it goes there."),
     ("Les cases ainsi trouvées sont placées l'une après l'autre.",
      "The cells found that way are placed one after the other.")),
    ("ExempleProbable", LCB | SINGLE | PROB,
     ("la méthode Probable", "the Probable method"),
     ("Quand les places d'une valeur dans un bloc sont toutes sur une même ligne, la valeur quitte le reste de cette ligne.",
      "When the places of a value in a block all lie on one line, the value leaves the rest of that line."),
     ("Les valeurs probables sont marquées dans les cases.",
      "The probable values are marked in the cells.")),
    ("ExempleGroup", LCB | SINGLE | PROB | GROUP,
     ("la méthode des Groupes", "the Group method"),
     ("Deux cases d'une zone qui n'ont que les deux mêmes candidats les prennent pour elles : les autres cases les perdent.",
      "Two cells of an area holding only the same two candidates keep them for themselves: the other cells lose them."),
     ("Il en va de même pour trois cases et trois candidats, et ainsi de suite.",
      "The same holds for three cells and three candidates, and so on.")),
    ("ExempleBurma", LCB | SINGLE | PROB | GROUP | BURMA,
     ("la méthode Burma", "the Burma method"),
     ("Quand une valeur n'a que deux places dans deux lignes, et dans les deux mêmes colonnes, elle quitte le reste de ces colonnes.",
      "When a value has only two places in two lines, in the same two columns, it leaves the rest of those columns."),
     ("Ce rectangle de quatre cases décide pour les colonnes entières.",
      "That rectangle of four cells decides for the whole columns.")),
    ("ExempleColor", LCB | SINGLE | PROB | GROUP | BURMA | COLOUR,
     ("la méthode des Chaînes de couleur", "the Colour Chain method"),
     ("Les cases où une valeur n'a que deux places sont reliées et colorées tour à tour : l'une des deux couleurs est la bonne.",
      "The cells where a value has only two places are linked and coloured in turn: one of the two colours is right."),
     ("Une case qui voit les deux couleurs perd cette valeur.",
      "A cell that sees both colours loses that value.")),
]


# As the program writes a grid, variant section included even when empty: so a grid opened and
# saved again keeps its bytes.
def text_grid(cells):
    lines = ["Quorbel Mode Texte", "9", ";Start Save Grid0"] + list(cells) + [";Start Save Varient"]
    return "\r\n".join(lines) + "\r\n"


def example(name, mask, title, rule, note, english):
    k = 1 if english else 0
    intro = ("Exemple : " if not english else "Example: ") + title[k]
    lines = [
        "; Quorbel: " + intro,
        "RESETPREF",
        "NOMESS;N",
        "CLEARCOM",
        "FILES",
        name,
        "LOADT;-SudGrid",
        "ENDFILES",
        "PREFCELL;MULTI",
        "DISPC;4",
        "COMMENT;" + intro,
        "PAUSE;2500",
        "COMMENT;" + rule[k],
        "PAUSE;3500",
        "METHOD;%d" % mask,
        "COMMENT;" + ("Trois propositions, pas à pas :" if not english else "Three proposals, step by step:"),
        "PAUSE;1500",
    ]
    for _ in range(3):
        lines += ["PROP1", "PAUSE;2500"]
    lines += ["COMMENT;" + note[k], "PAUSE;3000"]
    if mask != ALL:
        # The method takes the grid as far as it can; the stronger ones finish it.
        lines += [
            "COMMENT;" + ("La méthode avance aussi loin qu'elle peut." if not english
                          else "The method goes as far as it can."),
            "SOLVE",
            "PAUSE;2500",
            "METHOD;%d" % ALL,
        ]
    lines += [
        "COMMENT;" + ("Et la grille est résolue jusqu'au bout." if not english else "And the grid is solved to the end."),
        "SOLVE",
        "PAUSE;2000",
    ]
    return lines


def demo(english):
    say = (lambda fr, en: "COMMENT;" + (en if english else fr))
    return [
        "; Quorbel: " + ("the demonstration" if english else "la démonstration"),
        "RESETPREF",
        "NOMESS;N",
        "CLEARCOM",
        say("Bienvenue dans Quorbel. Une grille va être générée.", "Welcome to Quorbel. A grid is about to be generated."),
        "PAUSE;2500",
        "NEW;9",
        "GENERE;9;EASY;0;-1;UNIQ",
        "PAUSE;1500",
        say("Une case se choisit d'un clic...", "A cell is chosen with a click..."),
        "CLICK;140;0;0",
        "PAUSE;1500",
        say("...et ses candidats s'affichent dans chaque case.", "...and every cell shows its candidates."),
        "PREFCELL;MULTI",
        "DISPC;4",
        "PAUSE;3000",
        say("Les valeurs peuvent être des lettres.", "The values can be letters."),
        "PREFDISP;LETTER",
        "PAUSE;2500",
        "PREFDISP;NUMBER",
        say("Besoin d'aide ? Quorbel propose une valeur (F9).", "Need help? Quorbel proposes a value (F9)."),
        "PAUSE;2000",
        "PROP1",
        "PAUSE;2000",
        "PROP1",
        "PAUSE;2000",
        "PROP1",
        "PAUSE;2000",
        say("Une erreur ? Un clic l'annule.", "A mistake? A click undoes it."),
        "CLICK;-1",
        "PAUSE;2000",
        say("Et Quorbel sait résoudre toute la grille.", "And Quorbel can solve the whole grid."),
        "SOLVE",
        "PAUSE;3000",
        say("Et pour finir, un kaléidoscope.", "And to end with, a kaleidoscope."),
        "PAUSE;1500",
        "KAL",
    ]


def write(path, lines):
    with open(path, "wb") as out:
        out.write(("\r\n".join(lines) + "\r\n").encode("latin-1"))


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else "data"
    folder = os.path.join(data, "SudGrid")
    os.makedirs(folder, exist_ok=True)
    for name, cells in GRIDS.items():
        with open(os.path.join(folder, name + ".txt"), "wb") as out:
            out.write(text_grid(cells).encode("latin-1"))
    for name, mask, title, rule, note in EXAMPLES:
        write(os.path.join(folder, name + ".macro"), example(name, mask, title, rule, note, False))
        write(os.path.join(folder, name + "_en.macro"), example(name, mask, title, rule, note, True))
    write(os.path.join(folder, "Demo.macro"), demo(False))
    write(os.path.join(folder, "Demo_en.macro"), demo(True))


if __name__ == "__main__":
    main()
