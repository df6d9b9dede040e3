# What each variant rule asks of the player, in English and in French, by the rule's English
# catalogue name. Each text is one or two short paragraphs of HTML; the page adds the title and
# the picture.
RULES = {
"Diagonal": (
 "<p>Besides rows, columns and blocks, the two long diagonals marked on the grid must each hold every digit once.</p>"
 "<p>Tip: a digit already placed on a diagonal can be crossed out of every other cell of that diagonal.</p>",
 "<p>En plus des lignes, colonnes et blocs, les deux grandes diagonales marquées sur la grille contiennent chacune tous les chiffres une fois.</p>"
 "<p>Astuce : un chiffre déjà placé sur une diagonale s'élimine de toutes les autres cases de cette diagonale.</p>"),
"Irregular": (
 "<p>The blocks are not rectangles but pieces of any shape, drawn with thick lines. Each piece still holds every digit once, like a row or a column.</p>",
 "<p>Les blocs ne sont plus des rectangles mais des pièces de forme libre, tracées en traits épais. Chaque pièce contient toujours tous les chiffres une fois, comme une ligne ou une colonne.</p>"),
"Less": (
 "<p>A sign &lt; or &gt; between two neighbouring cells says which of the two digits is smaller: the point of the sign is on the smaller side.</p>"
 "<p>Tip: a cell with signs pointing at it from every side is small; a chain of signs going one way climbs one step at least per cell.</p>",
 "<p>Un signe &lt; ou &gt; entre deux cases voisines dit lequel des deux chiffres est le plus petit : la pointe du signe est du côté du plus petit.</p>"
 "<p>Astuce : une case vers laquelle pointent tous les signes est petite ; une suite de signes dans le même sens monte d'au moins un à chaque case.</p>"),
"Odd": (
 "<p>Some cells carry a parity mark: one kind of mark for an even digit, the other for an odd digit. Cells marked X all share the same parity, which you must find.</p>",
 "<p>Certaines cases portent une marque de parité : une sorte pour un chiffre pair, l'autre pour un chiffre impair. Les cases marquées X ont toutes la même parité, à vous de trouver laquelle.</p>"),
"XV": (
 "<p>An X between two neighbouring cells means their digits add up to 10; a V means they add up to 5.</p>",
 "<p>Un X entre deux cases voisines veut dire que leurs chiffres font 10 ensemble ; un V, qu'ils font 5.</p>"),
"Dot": (
 "<p>A white dot between two cells joins two consecutive digits (3 and 4, 7 and 6). A black dot joins two digits of which one is twice the other (2 and 4, 3 and 6).</p>",
 "<p>Un point blanc entre deux cases relie deux chiffres qui se suivent (3 et 4, 7 et 6). Un point noir relie deux chiffres dont l'un est le double de l'autre (2 et 4, 3 et 6).</p>"),
"All Indicated": (
 "<p>The signs between cells follow one of the comparison rules, and every sign is shown: where two neighbouring cells have no sign between them, their digits are in none of the relations the signs stand for.</p>"
 "<p>Tip: the missing signs are clues too.</p>",
 "<p>Les signes entre les cases suivent une des règles de comparaison, et tous les signes sont donnés : là où deux cases voisines n'ont pas de signe, leurs chiffres ne sont dans aucune des relations que représentent les signes.</p>"
 "<p>Astuce : les signes absents sont aussi des indices.</p>"),
"Pirate": (
 "<p>The 5 is the treasure, 1 to 4 are pirates and 6 to 9 are sailors. Every cell that touches a 5 by a side holds a pirate, never a sailor.</p>",
 "<p>Le 5 est le trésor, 1 à 4 sont des pirates et 6 à 9 des marins. Toute case qui touche un 5 par un côté contient un pirate, jamais un marin.</p>"),
"Trio": (
 "<p>The digits are split into classes (for example 1-2-3, 4-5-6 and 7-8-9). The symbol in a cell tells which class its digit belongs to.</p>",
 "<p>Les chiffres sont répartis en classes (par exemple 1-2-3, 4-5-6 et 7-8-9). Le symbole d'une case indique la classe de son chiffre.</p>"),
"Navigator": (
 "<p>An arrow in a cell points in a direction; somewhere in that direction, along its row or column, one cell holds the same digit as the arrow's cell.</p>",
 "<p>Une flèche dans une case indique une direction ; quelque part dans cette direction, le long de sa ligne ou de sa colonne, une case contient le même chiffre que la case de la flèche.</p>"),
"Little Killer": (
 "<p>A number beside the grid with a small arrow gives the sum of all the digits on the diagonal the arrow points along. Digits may repeat on such a diagonal.</p>",
 "<p>Un nombre au bord de la grille, avec une petite flèche, donne la somme de tous les chiffres de la diagonale désignée. Les chiffres peuvent se répéter sur cette diagonale.</p>"),
"Killer Sum": (
 "<p>Dotted cages group a few cells; the small number in the corner of a cage is the sum of its digits.</p>"
 "<p>Tip: a cage of two cells summing to 3 can only hold 1 and 2.</p>",
 "<p>Des cages en pointillés regroupent quelques cases ; le petit nombre dans le coin d'une cage est la somme de ses chiffres.</p>"
 "<p>Astuce : une cage de deux cases qui fait 3 ne peut contenir que 1 et 2.</p>"),
"Killer Product": (
 "<p>As in Killer, cages group cells, but the number of a cage is the product of its digits: a cage of two cells marked 12 holds 3 and 4, or 2 and 6.</p>",
 "<p>Comme dans le Killer, des cages regroupent des cases, mais le nombre d'une cage est le produit de ses chiffres : une cage de deux cases marquée 12 contient 3 et 4, ou 2 et 6.</p>"),
"Kimo": (
 "<p>Killer cages and Little Killer diagonals whose total is given modulo a number: the clue is the remainder of the sum divided by that number, not the sum itself.</p>",
 "<p>Des cages Killer et des diagonales Little Killer dont le total est donné modulo un nombre : l'indice est le reste de la somme divisée par ce nombre, et non la somme elle-même.</p>"),
"Touchy": (
 "<p>Every digit touches, by a side, at least one cell holding a digit next to it in counting (a 4 needs a 3 or a 5 beside it).</p>",
 "<p>Chaque chiffre touche, par un côté, au moins une case qui contient un chiffre voisin en comptant (un 4 a besoin d'un 3 ou d'un 5 à côté).</p>"),
"No 3 Odd Even": (
 "<p>In a row or a column, three cells in a row are never all odd and never all even.</p>",
 "<p>Dans une ligne ou une colonne, trois cases qui se suivent ne sont jamais toutes impaires ni toutes paires.</p>"),
"No Average": (
 "<p>In any three cells that follow each other in a row or a column, the middle digit is never the average of the two others (1, 2, 3 or 2, 5, 8 are forbidden).</p>",
 "<p>Dans trois cases qui se suivent sur une ligne ou une colonne, le chiffre du milieu n'est jamais la moyenne des deux autres (1, 2, 3 ou 2, 5, 8 sont interdits).</p>"),
"No Consecutive": (
 "<p>Two cells that share a side never hold digits that follow each other: a 5 has no 4 and no 6 beside it.</p>",
 "<p>Deux cases qui ont un côté commun n'ont jamais des chiffres qui se suivent : un 5 n'a ni 4 ni 6 à côté de lui.</p>"),
"No Touch": (
 "<p>Two cells that touch by a corner never hold the same digit.</p>",
 "<p>Deux cases qui se touchent par un coin n'ont jamais le même chiffre.</p>"),
"Give Me 5": (
 "<p>Two cells that share a side never hold digits whose sum is 5 or whose difference is 5: 1 and 4, or 2 and 7, are never side by side.</p>",
 "<p>Deux cases qui ont un côté commun n'ont jamais deux chiffres de somme 5 ou d'écart 5 : 1 et 4, ou 2 et 7, ne sont jamais côte à côte.</p>"),
"Odd Pair": (
 "<p>A mark between two neighbouring cells tells whether their sum is even or odd. Marks shown as X all stand for the same parity, which you find.</p>",
 "<p>Une marque entre deux cases voisines dit si leur somme est paire ou impaire. Les marques X représentent toutes la même parité, à trouver.</p>"),
"No Knight Step": (
 "<p>Two cells a chess knight's jump apart (two cells one way, one cell across) never hold the same digit.</p>",
 "<p>Deux cases séparées par un saut de cavalier des échecs (deux cases dans un sens, une de côté) n'ont jamais le même chiffre.</p>"),
"Arrow": (
 "<p>The digit in a circle equals the sum of the digits along the arrow coming out of it.</p>",
 "<p>Le chiffre d'un cercle est égal à la somme des chiffres le long de la flèche qui en part.</p>"),
"Creasing Lines": (
 "<p>Lines drawn across cells each have a kind: the digits along them go up or down, go up and down in turn, follow each other, or one of them is the sum of the others.</p>",
 "<p>Des lignes tracées à travers les cases ont chacune un type : les chiffres le long de la ligne montent ou descendent, montent et descendent tour à tour, se suivent, ou l'un d'eux est la somme des autres.</p>"),
"Outside": (
 "<p>The digits written beside a row or a column stand somewhere in that row or column, inside the block nearest to them.</p>",
 "<p>Les chiffres écrits au bord d'une ligne ou d'une colonne se trouvent quelque part dans cette ligne ou colonne, à l'intérieur du bloc le plus proche.</p>"),
"Frame Sum": (
 "<p>A number beside a row or a column is the sum of the digits of that row or column inside the nearest block.</p>",
 "<p>Un nombre au bord d'une ligne ou d'une colonne est la somme de ses chiffres dans le bloc le plus proche.</p>"),
"Frame Product": (
 "<p>A number beside a row or a column is the product of the digits of that row or column inside the nearest block.</p>",
 "<p>Un nombre au bord d'une ligne ou d'une colonne est le produit de ses chiffres dans le bloc le plus proche.</p>"),
"Frame Max": (
 "<p>A number beside a row or a column says where its largest digit stands inside the nearest block, counting cells from that edge.</p>",
 "<p>Un nombre au bord d'une ligne ou d'une colonne indique où se trouve son plus grand chiffre dans le bloc le plus proche, en comptant les cases depuis ce bord.</p>"),
"Oddview": (
 "<p>Beside a row or a column stand two digits: the first odd digit and the first even digit you meet when you look into the grid from that side.</p>",
 "<p>Au bord d'une ligne ou d'une colonne figurent deux chiffres : le premier chiffre impair et le premier chiffre pair rencontrés en regardant la grille depuis ce côté.</p>"),
"SkyScrapper": (
 "<p>Each digit is the height of a building. A number beside the grid counts how many buildings you see from there, looking along the row or column: a tall building hides every lower one behind it.</p>"
 "<p>Tip: a clue of 1 means the tallest building stands right at the edge.</p>",
 "<p>Chaque chiffre est la hauteur d'un immeuble. Un nombre au bord de la grille compte les immeubles visibles de là, en regardant le long de la ligne ou de la colonne : un immeuble haut cache tous les plus bas derrière lui.</p>"
 "<p>Astuce : un indice de 1 veut dire que le plus haut immeuble est tout au bord.</p>"),
"Last Number": (
 "<p>A clue beside the grid carries a digit and an arrow. Looking in from that side, the digits climb (or fall, as the arrow shows) one after the other, strictly, until they reach the clue's digit.</p>",
 "<p>Un indice au bord de la grille porte un chiffre et une flèche. En regardant depuis ce côté, les chiffres montent (ou descendent, selon la flèche) l'un après l'autre, strictement, jusqu'au chiffre de l'indice.</p>"),
"Transfer": (
 "<p>Some cells are crossed out. The digits written beside a row or a column fill, in that order, the cells of that line that are not crossed out; crossed-out cells hold none of them.</p>",
 "<p>Certaines cases sont barrées. Les chiffres écrits au bord d'une ligne ou d'une colonne occupent, dans cet ordre, les cases non barrées de cette ligne ; les cases barrées n'en ont aucun.</p>"),
"MasterMind": (
 "<p>Beside the grid, a few rows are guesses at a hidden code, each scored with pegs: a black peg for a right digit in the right place, a white peg for a right digit in the wrong place. The grid's solution gives the code.</p>",
 "<p>A côté de la grille, quelques lignes sont des essais sur un code caché, notés par des pions : un pion noir pour un bon chiffre bien placé, un pion blanc pour un bon chiffre mal placé. La solution de la grille donne le code.</p>"),
"Domino": (
 "<p>A cell shows a few domino pips; they are all part of the domino face of the cell's digit.</p>",
 "<p>Une case montre quelques points de domino ; ils font tous partie de la face de domino de son chiffre.</p>"),
"Pencil Mark": (
 "<p>Some cells come with a few small digits pencilled in; the cell's own digit is one of them.</p>",
 "<p>Certaines cases arrivent avec quelques petits chiffres notés au crayon ; le chiffre de la case est l'un d'eux.</p>"),
"Digital Clock": (
 "<p>A cell shows a few lit segments of a digital clock's display; they all belong to the cell's digit as the clock draws it.</p>",
 "<p>Une case montre quelques segments allumés d'un affichage de montre digitale ; ils appartiennent tous au chiffre de la case tel que la montre le dessine.</p>"),
"Romain": (
 "<p>A cell shows a piece of a Roman numeral (such as I, V or VI); the cell's digit, written in Roman numerals, contains that piece.</p>",
 "<p>Une case montre un morceau de chiffre romain (comme I, V ou VI) ; le chiffre de la case, écrit en chiffres romains, contient ce morceau.</p>"),
"Numeral": (
 "<p>A letter in a cell appears in the cell's digit written out as a word (ONE, TWO, THREE...). The grid is played with letters for symbols.</p>",
 "<p>Une lettre dans une case figure dans le nom en toutes lettres du chiffre de la case. La grille se joue avec des lettres pour symboles.</p>"),
"Distance": (
 "<p>A clue beside a row or a column names two digits A and B and a number: B stands that many cells after A in that line.</p>",
 "<p>Un indice au bord d'une ligne ou d'une colonne nomme deux chiffres A et B et un nombre : B se trouve ce nombre de cases après A sur cette ligne.</p>"),
"Dan": (
 "<p>The cells of a Dan group hold no more different digits than the number given with it: some digits may repeat inside the group.</p>",
 "<p>Les cases d'un groupe Dan n'ont pas plus de chiffres différents que le nombre donné avec lui : certains chiffres peuvent s'y répéter.</p>"),
"Equality": (
 "<p>The cells of an equality group, joined on the board, all hold the same digit.</p>",
 "<p>Les cases d'un groupe d'égalité, reliées sur la grille, ont toutes le même chiffre.</p>"),
"Quad Max": (
 "<p>In each marked square of four cells, the circled cell holds the largest digit of the four (or the smallest, as the mark says).</p>",
 "<p>Dans chaque carré de quatre cases marqué, la case entourée contient le plus grand chiffre des quatre (ou le plus petit, selon la marque).</p>"),
"Wheel": (
 "<p>A wheel sits on the corner shared by four cells and shows four digits. Those four digits fill the four cells around it, in the wheel's turning order, starting anywhere.</p>",
 "<p>Une roue est posée au coin commun de quatre cases et montre quatre chiffres. Ces quatre chiffres occupent les quatre cases autour d'elle, dans l'ordre de rotation de la roue, en commençant n'importe où.</p>"),
"Mult Table": (
 "<p>Groups of four cells a, b, c, d form a line of the multiplication table: a times b equals the two-digit number cd.</p>",
 "<p>Des groupes de quatre cases a, b, c, d forment une ligne de la table de multiplication : a fois b est égal au nombre à deux chiffres cd.</p>"),
"Chess": (
 "<p>Each digit stands for a chess piece, white or black, as shown on the board. No white piece may be attacked by another white piece, and every black piece must be defended by another black piece.</p>",
 "<p>Chaque chiffre représente une pièce d'échecs, blanche ou noire, comme le montre la grille. Aucune pièce blanche n'est attaquée par une autre blanche, et chaque pièce noire est défendue par une autre noire.</p>"),
"Magic Square": (
 "<p>In each marked 3 by 3 square, every row, every column and both diagonals add up to the same total, as in a magic square.</p>",
 "<p>Dans chaque carré de 3 sur 3 marqué, chaque ligne, chaque colonne et les deux diagonales ont le même total, comme dans un carré magique.</p>"),
"Magic Sentence": (
 "<p>The grid is played with letters, the letters of a hidden sentence. The marked cells, read in order, spell that sentence; it appears once the grid is solved.</p>",
 "<p>La grille se joue avec des lettres, celles d'une phrase cachée. Les cases marquées, lues dans l'ordre, épellent cette phrase ; elle apparaît une fois la grille résolue.</p>"),
"Extra Region": (
 "<p>One or two extra regions, shaded on the grid, must each hold every digit once, like a block.</p>",
 "<p>Une ou deux régions supplémentaires, colorées sur la grille, contiennent chacune tous les chiffres une fois, comme un bloc.</p>"),
"PanDigital": (
 "<p>The digits of some blocks are read as numbers; those numbers, combined by the signs shown (plus, minus, times...), must meet the comparison given (equal, not equal, greater...).</p>",
 "<p>Les chiffres de certains blocs se lisent comme des nombres ; ces nombres, combinés par les signes montrés (plus, moins, fois...), vérifient la comparaison donnée (égal, différent, plus grand...).</p>"),
"Puzzle": (
 "<p>Pieces of a few cells lie beside the grid. Each piece fits somewhere on the solution with its digits matching, turned if the grid allows it. Drag a piece onto the grid to try it; a right double click turns it.</p>",
 "<p>Des pièces de quelques cases sont posées à côté de la grille. Chaque pièce s'ajuste quelque part sur la solution avec les mêmes chiffres, tournée si la grille le permet. Faites glisser une pièce sur la grille pour l'essayer ; un double clic droit la tourne.</p>"),
"Tiled": (
 "<p>Tiles of digits lie beside the grid. Each tile fits somewhere on the solution, perhaps upside down or mirrored; its digits are then read turned the same way.</p>",
 "<p>Des tuiles de chiffres sont posées à côté de la grille. Chaque tuile s'ajuste quelque part sur la solution, peut-être retournée ou en miroir ; ses chiffres se lisent alors tournés de même.</p>"),
"Battle Ship": (
 "<p>A fleet of boats, each a short line of digits, lies hidden in the solution. The numbers beside the grid count the boat cells of each row and column. Mark the boat cells as you find them: Ctrl+T marks a boat cell, Ctrl+Q water, Ctrl+U clears the mark.</p>",
 "<p>Une flotte de bateaux, chacun une courte suite de chiffres, est cachée dans la solution. Les nombres au bord de la grille comptent les cases de bateau de chaque ligne et colonne. Marquez les cases de bateau à mesure que vous les trouvez : Ctrl+T marque une case de bateau, Ctrl+Q de l'eau, Ctrl+U efface la marque.</p>"),
"Twins Relation": (
 "<p>Two grids are played together. A cell linked to a cell of the other grid holds the same digit as that cell.</p>",
 "<p>Deux grilles se jouent ensemble. Une case liée à une case de l'autre grille contient le même chiffre qu'elle.</p>"),
"Twins Relation Multiple": (
 "<p>Two grids are played together. Linked groups of cells, one in each grid, hold the same digits, in any order.</p>",
 "<p>Deux grilles se jouent ensemble. Des groupes de cases liés, un dans chaque grille, contiennent les mêmes chiffres, dans n'importe quel ordre.</p>"),
"Twins Substitution": (
 "<p>The second grid is the first one with every digit replaced by another, always the same replacement (every 1 becomes a 7, for example).</p>",
 "<p>La seconde grille est la première où chaque chiffre est remplacé par un autre, toujours le même (chaque 1 devient un 7, par exemple).</p>"),
"Twins Equal": (
 "<p>The twin grids have one and the same solution: what you find in one grid holds in the other.</p>",
 "<p>Les grilles jumelles ont une seule et même solution : ce que vous trouvez dans l'une vaut dans l'autre.</p>"),
"Twins Zone": (
 "<p>Linked blocks, one in each grid, hold the same digits in the same places.</p>",
 "<p>Des blocs liés, un dans chaque grille, contiennent les mêmes chiffres aux mêmes places.</p>"),
"Twins Differents": (
 "<p>A cell never holds the same digit in the twin grids: the digit of a cell in one grid is crossed out of the same cell in the other.</p>",
 "<p>Une case n'a jamais le même chiffre dans les grilles jumelles : le chiffre d'une case dans une grille s'élimine de la même case dans l'autre.</p>"),
"Twins Same in Line": (
 "<p>The number beside a row counts the cells of that row where both grids hold the same digit.</p>",
 "<p>Le nombre au bord d'une ligne compte les cases de cette ligne où les deux grilles ont le même chiffre.</p>"),
"Twins Varient Masked": (
 "<p>Each grid of the set follows a rule of its own, hidden among the rules listed beside the board. Find which rule each grid follows: a click on a rule in the list tries it on the current grid.</p>",
 "<p>Chaque grille de l'ensemble suit sa propre règle, cachée parmi les règles listées à côté de la grille. Trouvez la règle de chaque grille : un clic sur une règle de la liste l'essaie sur la grille courante.</p>"),
"Twins Total": (
 "<p>Beside the grids stands one more grid of sums: each of its cells holds the total of the digits of the same cell in the other grids.</p>",
 "<p>A côté des grilles se tient une grille de sommes : chacune de ses cases contient le total des chiffres de la même case dans les autres grilles.</p>"),
}
