# The help topics other than the rules: page name -> (English title, English body, French title,
# French body). Bodies are plain HTML; links name other pages by file ("board.html").
TOPICS = {}

def topic(page, title_en, body_en, title_fr, body_fr):
    TOPICS[page] = (title_en, body_en, title_fr, body_fr)

topic("index", "Quorbel Help", """
<p>Quorbel is a Sudoku game and puzzle workbench: classic grids from 4x4 to 16x16, some sixty variant
rules, grids linked together, hints and named solving methods, and a mark out of 20 at the end of
each game. Press <b>F1</b> anywhere to open the page of the window you are in.</p>
<h2>Starting a game</h2>
<ul>
<li><a href="start.html">The start screen</a>: the ways into a game</li>
<li>Game modes: <a href="champion.html">Champion</a>, <a href="kids.html">Little Kids</a>,
<a href="quick.html">Quick Game</a>, <a href="triple.html">Double Triple</a>,
<a href="quellabo.html">Quellabo</a>, <a href="challenge.html">Challenge</a>,
<a href="catalog.html">Catalog</a>, <a href="free-game.html">free games</a></li>
<li><a href="new-grid.html">New grids</a>: the Generate and Empty Grid windows</li>
<li><a href="generation.html">How grids are generated</a> and their four levels</li>
</ul>
<h2>Playing</h2>
<ul>
<li><a href="board.html">Playing on the board</a>: cells, candidates, keys</li>
<li><a href="rules.html">The variant rules</a>, each with a picture</li>
<li><a href="solving.html">Hints and the solve commands</a> and <a href="search.html">the solution search</a></li>
<li><a href="methods.html">The methods panel</a> and the solving methods</li>
<li><a href="end-of-game.html">The end of the game and the mark</a></li>
</ul>
<h2>Tools</h2>
<ul>
<li><a href="preferences.html">Preferences and display profiles</a></li>
<li><a href="scripts.html">Scripts (macros)</a></li>
<li><a href="scanning.html">Reading grids from pictures</a></li>
</ul>
""", "Aide de Quorbel", """
<p>Quorbel est un jeu de Sudoku et un atelier de grilles : des grilles classiques du 4x4 au 16x16,
une soixantaine de règles de variantes, des grilles liées entre elles, des indices et des méthodes de
résolution nommées, et une note sur 20 à la fin de chaque partie. Appuyez sur <b>F1</b> n'importe où
pour ouvrir la page de la fenêtre où vous êtes.</p>
<h2>Commencer une partie</h2>
<ul>
<li><a href="start.html">L'écran de départ</a> : les façons d'entrer dans une partie</li>
<li>Modes de jeu : <a href="champion.html">Champion</a>, <a href="kids.html">Petits Enfants</a>,
<a href="quick.html">Partie Rapide</a>, <a href="triple.html">Double Triple</a>,
<a href="quellabo.html">Quellabo</a>, <a href="challenge.html">Défi</a>,
<a href="catalog.html">Catalogue</a>, <a href="free-game.html">jeu libre</a></li>
<li><a href="new-grid.html">Nouvelles grilles</a> : les fenêtres Génère et Grille Vide</li>
<li><a href="generation.html">Comment les grilles sont générées</a> et leurs quatre niveaux</li>
</ul>
<h2>Jouer</h2>
<ul>
<li><a href="board.html">Jouer sur la grille</a> : cases, candidats, touches</li>
<li><a href="rules.html">Les règles des variantes</a>, chacune avec une image</li>
<li><a href="solving.html">Les indices et les commandes de résolution</a> et <a href="search.html">la recherche des solutions</a></li>
<li><a href="methods.html">Le panneau des méthodes</a> et les méthodes de résolution</li>
<li><a href="end-of-game.html">La fin de partie et la note</a></li>
</ul>
<h2>Outils</h2>
<ul>
<li><a href="preferences.html">Préférences et profils d'affichage</a></li>
<li><a href="scripts.html">Les scripts (macros)</a></li>
<li><a href="scanning.html">Lire des grilles dans des images</a></li>
</ul>
""")

topic("start", "The start screen", """
<p>The start screen opens when Quorbel starts without a grid, and with File &gt; New Game (Ctrl+N).
Give a button the focus (with Tab) to read what it does below; click it, or press Enter, to start.
F1 on a button opens the page of that game.</p>
<h2>Normal games</h2>
<ul>
<li><a href="champion.html">Champion Mode</a>: a grid drawn from the catalogue, scored against the clock.</li>
<li><a href="kids.html">Little Kids</a>: easy grids first, for children.</li>
<li><a href="quick.html">Quick Game</a>: a race against a time limit.</li>
<li><a href="triple.html">Double Triple</a>: build your own grid and collect points.</li>
<li><a href="quellabo.html">Quellabo</a>: grids fetched from puzzle web sites.</li>
<li><a href="challenge.html">Challenge</a>: play against other players over the network.</li>
</ul>
<h2>Free games</h2>
<ul>
<li>Generate: a new grid of the size, level and rules you choose (<a href="new-grid.html">the Generate window</a>).</li>
<li>Load: a grid you saved, as you left it (<a href="free-game.html">free games</a>).</li>
<li>Catalog: a grid of <a href="catalog.html">the catalogue</a>.</li>
<li>New: an empty grid to type in a puzzle from a paper (<a href="new-grid.html">the Empty Grid window</a>).</li>
</ul>
<p>If you close a window without starting anything, the start screen comes back.</p>
""", "L'écran de départ", """
<p>L'écran de départ s'ouvre quand Quorbel démarre sans grille, et par Fichier &gt; Nouvelle Partie
(Ctrl+N). Donnez le focus à un bouton (avec Tab) pour lire ce qu'il fait ; cliquez-le, ou appuyez
sur Entrée, pour commencer. F1 sur un bouton ouvre la page de ce jeu.</p>
<h2>Jeux normaux</h2>
<ul>
<li><a href="champion.html">Mode Champion</a> : une grille tirée du catalogue, notée contre la montre.</li>
<li><a href="kids.html">Petits Enfants</a> : des grilles faciles d'abord, pour les enfants.</li>
<li><a href="quick.html">Partie Rapide</a> : une course contre un temps limite.</li>
<li><a href="triple.html">Double Triple</a> : construisez votre grille et gagnez des points.</li>
<li><a href="quellabo.html">Quellabo</a> : des grilles prises sur des sites web de jeux.</li>
<li><a href="challenge.html">Défi</a> : jouez contre d'autres joueurs par le réseau.</li>
</ul>
<h2>Jeu libre</h2>
<ul>
<li>Génère : une nouvelle grille de la taille, du niveau et des règles choisis (<a href="new-grid.html">la fenêtre Génère</a>).</li>
<li>Charge : une grille que vous avez sauvegardée, telle que vous l'avez laissée (<a href="free-game.html">jeu libre</a>).</li>
<li>Catalogue : une grille du <a href="catalog.html">catalogue</a>.</li>
<li>Nouvelle : une grille vide pour recopier une grille d'un journal (<a href="new-grid.html">la fenêtre Grille Vide</a>).</li>
</ul>
<p>Si vous fermez une fenêtre sans rien commencer, l'écran de départ revient.</p>
""")

topic("champion", "Champion mode", """
<p>Quorbel draws a grid at random from the <a href="catalog.html">catalogue</a>, among those you have not finished yet,
leaving out the <a href="triple.html">Double Triple</a> grids, which score points in a game of their own. Your mark starts at 20 and
goes down with the time you take and with the help you use (hints, solve commands, candidates shown):
solve quickly and on your own to keep it high. File &gt; New Grid deals the next grid.</p>
<p>See <a href="end-of-game.html">the end of the game and the mark</a>.</p>
""", "Mode Champion", """
<p>Quorbel tire une grille au hasard dans le <a href="catalog.html">catalogue</a>, parmi celles que vous n'avez pas encore finies,
hors les grilles <a href="triple.html">Double Triple</a>, qui se jouent en points dans leur propre jeu. Votre note part de 20
et baisse avec le temps passé et l'aide utilisée (indices, commandes de résolution, candidats affichés) :
résolvez vite et seul pour la garder haute. Fichier &gt; Nouvelle Grille donne la grille suivante.</p>
<p>Voir <a href="end-of-game.html">la fin de partie et la note</a>.</p>
""")

topic("kids", "Little Kids", """
<p>A series of grids for children, from the catalogue's kids' grids: small and easy first, then a
little harder. Each new grid (File &gt; New Grid) is the next one of the
series; after the last, the series starts again.</p>
<p>The grids show animals, and the keyboard's digits place none: click an animal on the number bar at
the right, then the cell where it goes (or drag it there from another cell). Delete empties the
selected cell. Display &gt; Display type shows digits instead, which the keyboard types.</p>
""", "Petits Enfants", """
<p>Une suite de grilles pour les enfants, prises parmi les grilles pour enfants du catalogue : petites et
faciles d'abord, puis un peu plus dures. Chaque nouvelle grille
(Fichier &gt; Nouvelle Grille) est la suivante de la série ; après la dernière, la série recommence.</p>
<p>Les grilles montrent des animaux, et les chiffres du clavier n'en posent aucun : cliquez un animal dans
la barre des nombres à droite, puis la case où il va (ou faites-le glisser depuis une autre case). Suppr
vide la case choisie. Affichage &gt; Type d'affichage montre des chiffres à la place, que le clavier tape.</p>
""")

topic("quick", "Quick Game", """
<p>A race against the clock. The time limit depends on the grid's size and level and shows in the
clock panel. No help is shown during a quick game. When the time is up, every value in the grid
starts to disappear, one a second, the givens as well as the values you found, and the game ends
when the last value you found is gone, even if some givens still stand. If you had placed no value yet, or if the animated actions are off in the
preferences, the game ends as soon as the time is up. Finish in time!</p>
""", "Partie Rapide", """
<p>Une course contre la montre. Le temps limite dépend de la taille et du niveau de la grille et
s'affiche dans le panneau de l'horloge. Aucune aide n'est affichée pendant une partie rapide. Une
fois le temps écoulé, toutes les valeurs de la grille disparaissent, une par seconde, les valeurs
données comme celles que vous avez trouvées, et la partie s'arrête quand la dernière valeur que vous
avez trouvée a disparu, même s'il reste des valeurs données. Si vous n'aviez encore placé aucune valeur, ou si les actions animées sont éteintes dans les préférences, la
partie s'arrête dès que le temps est écoulé. Finissez à temps !</p>
""")

topic("triple", "Double Triple", """
<p>You start from an almost empty grid and fill it yourself so that it becomes a correct Sudoku.
Such a grid has many right fills: find the one that scores the most.
Two neighbouring cells earn points when one digit is a whole multiple of the other (2 and 4, 3 and
9, 2 and 8, 1 and 5...). Each ratio, from the double up to the grid's largest digit (x6 on a 6x6
grid, x9 on a 9x9 grid), has its own value on that grid, listed beside the board ("x2=5pt"); a ratio
left out of that list earns nothing. The score pane shows your points as you play.</p>
<p>Display Warning is on in this game: a digit that breaks a rule (twice in a row, a column or a
block) shows at once and counts as an error. A digit that keeps the grid correct is never an error,
even if the best fill holds another one there.</p>
<p>At the end, the window shows your points and the best score possible on that grid (Sudoku &gt;
Compute Max Double Triple works it out), and tells whether you reached it.</p>
""", "Double Triple", """
<p>Vous partez d'une grille presque vide et la remplissez vous-même pour en faire un Sudoku correct.
Une telle grille se remplit juste de bien des façons : trouvez celle qui rapporte le plus.
Deux cases voisines rapportent des points quand le chiffre de l'une est un multiple entier de celui
de l'autre (2 et 4, 3 et 9, 2 et 8, 1 et 5...). Chaque rapport, du double jusqu'au plus grand chiffre
de la grille (x6 sur une grille 6x6, x9 sur une grille 9x9), a sa propre valeur sur cette grille,
listée à côté de la grille (« x2=5pt ») ; un rapport absent de cette liste ne rapporte rien. Le volet
du score montre vos points pendant la partie.</p>
<p>Affichage Warning est activé dans ce jeu : un chiffre qui enfreint une règle (deux fois dans une
ligne, une colonne ou un bloc) se voit aussitôt et compte comme une erreur. Un chiffre qui laisse la
grille correcte n'est jamais une erreur, même si le meilleur remplissage en place un autre à cet
endroit.</p>
<p>À la fin, la fenêtre montre vos points et le meilleur score possible sur cette grille (Sudoku &gt;
Calcul Max Double Triple le calcule), et dit si vous l'avez atteint.</p>
""")

topic("catalog", "The catalogue", """
<p>The catalogue holds Quorbel's grids sorted by type (classic, variants, kids, quick...). Pick a type,
then a grid: a mark beside each grid tells whether you already solved it or left it unfinished.
The start screen's Catalog button opens it (File &gt; New Game, Ctrl+N); during a catalogue game,
File &gt; New Grid opens it again for the next grid.</p>
<p>Grids played from the catalogue are marked when the game ends, so you can see where you stand.</p>
""", "Le catalogue", """
<p>Le catalogue contient les grilles de Quorbel rangées par type (classiques, variantes, enfants,
rapides...). Choisissez un type, puis une grille : une marque à côté de chaque grille dit si vous l'avez
déjà résolue ou laissée inachevée. Le bouton Catalogue de l'écran de départ l'ouvre (Fichier &gt; Nouvelle Partie, Ctrl+N) ; pendant
une partie du catalogue, Fichier &gt; Nouvelle Grille le rouvre pour la grille suivante.</p>
<p>Les grilles jouées depuis le catalogue sont marquées à la fin de la partie : vous voyez où vous en êtes.</p>
""")

topic("quellabo", "Quellabo", """
<p>Quellabo fetches the grid of the day from puzzle web sites, loads it on the board and, once you
have solved it, sends your solution back to the site for its ranking (also Sudoku &gt; Quellabo Submit).
Choose the site and the level in the Quellabo window.</p>
<p>The sites are described in the file <code>QuellaboSite.txt</code> beside the program; none is built in,
so the list stays empty until such a file is there.</p>
""", "Quellabo", """
<p>Quellabo va chercher la grille du jour sur des sites web de jeux, la charge sur la grille et, une
fois la grille résolue, renvoie votre solution au site pour son classement (aussi Sudoku &gt; Quellabo Submit).
Choisissez le site et le niveau dans la fenêtre Quellabo.</p>
<p>Les sites sont décrits dans le fichier <code>QuellaboSite.txt</code> à côté du programme ; aucun n'est
intégré, la liste reste donc vide tant que ce fichier n'existe pas.</p>
""")

topic("challenge", "Challenge", """
<p>Play the same grid against other players over the network, in turns against the clock. Challenges
are off at every start since they open a network port: turn them on in the Challenge page of the
<a href="preferences.html">preferences</a> (uncheck "Inhibit Defi").</p>
<ol>
<li>In the Challenge window, add each player with their address and port, and tick them to call them.</li>
<li>Enter your name and press "Lance le Défi": a grid is generated and sent to everyone.</li>
<li>Each player places values in turn; the strip under the board shows the scores and holds the chat line.
A cell filled right stays its player's to the end of the challenge: nobody can clear or change it, on
any board.</li>
</ol>
""", "Défi", """
<p>Jouez la même grille contre d'autres joueurs par le réseau, chacun son tour contre la montre. Les
défis sont coupés à chaque démarrage car ils ouvrent un port réseau : activez-les dans la page Défi des
<a href="preferences.html">préférences</a> (décochez « Inhibe Défi »).</p>
<ol>
<li>Dans la fenêtre Défi, ajoutez chaque joueur avec son adresse et son port, et cochez-le pour l'appeler.</li>
<li>Entrez votre nom et appuyez sur « Lance le Défi » : une grille est générée et envoyée à tous.</li>
<li>Chacun place des valeurs à son tour ; le bandeau sous la grille montre les scores et porte la ligne de discussion.
Une case remplie juste reste à son joueur jusqu'à la fin du défi : personne ne peut l'effacer ni la
changer, sur aucune grille.</li>
</ol>
""")

topic("free-game", "Free games", """
<p>A free game is a grid you chose yourself: generated, loaded from a file, typed in an empty grid or
picked in the catalogue. It is scored like any game, with the time limit of its size and level.</p>
<ul>
<li>File &gt; Open (Ctrl+O) loads a grid file (<code>.sud</code>) as you saved it, clock and helps included,
or a text grid.</li>
<li>File &gt; Save (Ctrl+S) keeps the game to finish it later.</li>
<li>Sudoku &gt; Define Startup Grid makes the values on the board the grid's givens; Back to Startup
Grid brings them back.</li>
</ul>
""", "Jeu libre", """
<p>Un jeu libre est une grille que vous avez choisie : générée, chargée d'un fichier, tapée dans une
grille vide ou prise dans le catalogue. Elle est notée comme toute partie, avec le temps limite de sa
taille et de son niveau.</p>
<ul>
<li>Fichier &gt; Ouvrir (Ctrl+O) charge une grille (<code>.sud</code>) telle que vous l'avez sauvée, horloge et
aides comprises, ou une grille texte.</li>
<li>Fichier &gt; Enregistrer (Ctrl+S) garde la partie pour la finir plus tard.</li>
<li>Sudoku &gt; Initialise Grille Départ fait des valeurs de la grille ses données de départ ; Rétablir
Grille Départ les remet.</li>
</ul>
""")

topic("board", "Playing on the board", """
<p>Click a cell to select it and type its digit (letters on grids wider than 9). After a value, the
digits you type go beside it as your candidates ("67") until you move on with the arrows, Tab or
Enter; a candidate typed again goes away, and the last one left becomes the value. Delete clears the
cell: press it first to put another value in its place. In the cell type that shows one value only, a
digit typed replaces the value.
Ctrl+click or Shift+click selects several cells. You can also pick a value on the number bar at the
top right and click the cell to put it in, or drag a value from one cell to another.</p>
<h2>Candidates and helps</h2>
<ul>
<li>Ctrl+0 to Ctrl+5: no candidates, or the candidates of the cells with up to 1..4 of them, or all.
F10 shows the candidates of the current cell only.</li>
<li>Right click on an empty cell: Possible (F10) shows its candidates, Propose (F9) gives a hint, Scan
Area reads the picture on the clipboard into the grid from that cell, and Multiples Input puts the
values you type next into the cells one after the other.</li>
<li>Right click beside the grid: how the cells show their candidates (one value, a line of candidates,
a matrix, candidates and probables), whether the line and column candidates, the comment area and the
number bar show, and the background picture.</li>
<li>Display &gt; Display Warning (Ctrl+W) colours a value that breaks a rule at once. It is off when
you start: switch it on to see a digit typed twice in a row. Display &gt; Filter Variant (Ctrl+9),
off at first too, lets the variant rules narrow the candidates shown. Probable (Ctrl+7), Found
(Ctrl+8) and Coloring (Ctrl+D) are further helps of the same menu.</li>
</ul>
<h2>Your own marks</h2>
<p>Choose Display &gt; Cell Type &gt; Possible in Matrix: each empty cell shows its digits in a small
matrix. Click one of them to mark it as yours, or click it again to take the mark away. In the cell
types that show several candidates, the digits you type into a cell after its value mark candidates of
that cell; Enter goes back to placing values.</p>
<p>Every help you switch on is timed and costs a little of your <a href="end-of-game.html">mark</a>.</p>
<h2>Useful keys</h2>
<ul>
<li>Ctrl+Z undo, Ctrl+Y redo; F2 pause.</li>
<li>F9 proposes a value (<a href="solving.html">hints and solve commands</a>).</li>
<li>F5 <a href="methods.html">methods panel</a>, F6 <a href="preferences.html">preferences</a>, F7 display profiles, F8 music.</li>
<li>F1 this help, wherever you are.</li>
</ul>
<p>On a variant grid, the rules in play are listed beside the board: click one to read its page.</p>
""", "Jouer sur la grille", """
<p>Cliquez une case pour la choisir et tapez son chiffre (des lettres sur les grilles de plus de 9).
Après une valeur, les chiffres tapés se mettent à côté comme vos candidats (« 67 ») jusqu'à ce que vous
passiez à une autre case avec les flèches, Tab ou Entrée ; un candidat tapé de nouveau s'en va, et le
dernier qui reste devient la valeur. Suppr efface la case : appuyez-y d'abord pour mettre une autre
valeur à sa place. Dans le type de cellule qui ne montre qu'une valeur, un chiffre tapé remplace la valeur.
Ctrl+clic ou Maj+clic choisit plusieurs cases. Vous pouvez aussi prendre une valeur dans
la barre des nombres en haut à droite et cliquer la case où la poser, ou faire glisser une valeur d'une
case à une autre.</p>
<h2>Candidats et aides</h2>
<ul>
<li>Ctrl+0 à Ctrl+5 : pas de candidats, ou les candidats des cases qui en ont jusqu'à 1..4, ou tous.
F10 montre les candidats de la case courante seulement.</li>
<li>Clic droit sur une case vide : Possible (F10) montre ses candidats, Propose (F9) donne un indice,
Scan Zone lit l'image du presse-papiers dans la grille à partir de cette case, et Entrées Multiples
pose les valeurs tapées ensuite dans les cases l'une après l'autre.</li>
<li>Clic droit à côté de la grille : comment les cases montrent leurs candidats (une valeur, une ligne
de candidats, une matrice, candidats et probables), si les candidats des lignes et colonnes, la zone
des commentaires et la barre des nombres s'affichent, et l'image de fond.</li>
<li>Affichage &gt; Affichage Warning (Ctrl+W) colore aussitôt une valeur qui enfreint une règle. Il est
éteint au départ : allumez-le pour voir un chiffre tapé deux fois dans une ligne. Affichage &gt;
Filtrage Varient (Ctrl+9), éteint lui aussi au départ, laisse les règles des variantes réduire les
candidats affichés. Affichage Probable (Ctrl+7), Affichage Trouvés (Ctrl+8) et Affichage Coloriage
(Ctrl+D) sont d'autres aides du même menu.</li>
</ul>
<h2>Vos propres marques</h2>
<p>Choisissez Affichage &gt; Type de Cellule &gt; Possible en Matrice : chaque case vide montre ses
chiffres dans une petite matrice. Cliquez l'un d'eux pour le marquer, cliquez-le encore pour ôter la
marque. Dans les types de cellule qui montrent plusieurs candidats, les chiffres tapés dans une case
après sa valeur y marquent des candidats ; Entrée revient à la pose des valeurs.</p>
<p>Chaque aide allumée est chronométrée et coûte un peu de votre <a href="end-of-game.html">note</a>.</p>
<h2>Touches utiles</h2>
<ul>
<li>Ctrl+Z annule, Ctrl+Y rétablit ; F2 pause.</li>
<li>F9 propose une valeur (<a href="solving.html">indices et commandes de résolution</a>).</li>
<li>F5 <a href="methods.html">panneau des méthodes</a>, F6 <a href="preferences.html">préférences</a>, F7 profils d'affichage, F8 musique.</li>
<li>F1 cette aide, où que vous soyez.</li>
</ul>
<p>Sur une grille à variantes, les règles en jeu sont listées à côté de la grille : cliquez-en une pour lire sa page.</p>
""")

topic("new-grid", "New grids: Generate and Empty Grid", """
<h2>Generate (Sudoku &gt; Generate Grid, or Generate on the start screen)</h2>
<ol>
<li>Choose the size with the pictures (4x4 to 16x16).</li>
<li>Choose the symbols (digits, letters, both, or pictures for children) and the level:
Easy, Medium, Difficult or Terrible (<a href="generation.html">what the levels mean</a>).</li>
<li>Tick the <a href="rules.html">variant rules</a> you want in the list, or a random row to let Quorbel draw
them; Set All and Clear All tick or clear every rule. Rules that do not fit the size, or that cannot go
with one already ticked, are not offered.</li>
<li>For rules between several grids, the lower slider sets how many grids (2 to 12).</li>
<li>Press Generate Grid (GO).</li>
</ol>
<h2>Empty Grid (File &gt; New Empty Grid, or New on the start screen)</h2>
<p>Choose a size and the symbols, then type the puzzle from your paper: with Manual Input each value you
type goes into the next cell. Sudoku &gt; Define Startup Grid then makes those values the givens, and the
<a href="solving.html">solve commands</a> can help you.</p>
""", "Nouvelles grilles : Génère et Grille Vide", """
<h2>Génère (Sudoku &gt; Génère une Grille, ou Génère sur l'écran de départ)</h2>
<ol>
<li>Choisissez la taille avec les images (4x4 à 16x16).</li>
<li>Choisissez les symboles (chiffres, lettres, les deux, ou des images pour les enfants) et le niveau :
Facile, Moyen, Difficile ou Terrible (<a href="generation.html">ce que veulent dire les niveaux</a>).</li>
<li>Cochez dans la liste les <a href="rules.html">règles de variantes</a> voulues, ou une ligne aléatoire pour
laisser Quorbel les tirer ; Toutes et Aucune cochent ou décochent toutes les règles. Les règles qui ne vont
pas avec la taille, ou avec une règle déjà cochée, ne sont pas proposées.</li>
<li>Pour les règles entre plusieurs grilles, le curseur du bas règle le nombre de grilles (2 à 12).</li>
<li>Appuyez sur GO.</li>
</ol>
<h2>Grille Vide (Fichier &gt; Nouvelle Grille Vide, ou Nouvelle sur l'écran de départ)</h2>
<p>Choisissez une taille et les symboles, puis tapez la grille de votre journal : avec la saisie manuelle,
chaque valeur tapée va dans la case suivante. Sudoku &gt; Initialise Grille Départ fait ensuite de ces
valeurs les données de départ, et les <a href="solving.html">commandes de résolution</a> peuvent vous aider.</p>
""")

topic("generation", "How grids are generated", """
<p>Quorbel makes a complete solution at random, takes values away while the puzzle keeps a single
solution, and then adjusts it until it reaches the level asked. A progress window shows the work;
Cancel or Escape stops it and leaves the board as it was.</p>
<h2>The four levels</h2>
<p>A grid's level is the hardest <a href="methods.html">solving method</a> it needs:</p>
<ul>
<li><b>Easy</b>: <a href="method-line-column-block.html">Line/Column/Block</a> alone.</li>
<li><b>Medium</b>: also <a href="method-single.html">Single</a> and pairs (<a href="method-group.html">groups</a> of two).</li>
<li><b>Difficult</b>: also <a href="method-probables.html">Probables</a> and groups of up to five cells.</li>
<li><b>Terrible</b>: also <a href="method-burma.html">Burma</a>, <a href="method-colouring.html">Colouring</a>,
<a href="method-forcing-chain.html">Forcing Chain</a> and the largest groups.</li>
</ul>
<h2>Random rules</h2>
<p>The two random rows of the rules list let Quorbel choose: Random Single adds one variant rule drawn
at random to the classic rules; Random Multiple draws several rules that can go together.</p>
<p>If a message says the generation failed, just try again: a new random solution is drawn each time.</p>
""", "Comment les grilles sont générées", """
<p>Quorbel fabrique une solution complète au hasard, retire des valeurs tant que la grille garde une seule
solution, puis l'ajuste jusqu'au niveau demandé. Une fenêtre montre l'avancement ; Annuler ou Echap
l'arrête et laisse la grille comme elle était.</p>
<h2>Les quatre niveaux</h2>
<p>Le niveau d'une grille est la plus difficile des <a href="methods.html">méthodes de résolution</a> qu'elle demande :</p>
<ul>
<li><b>Facile</b> : <a href="method-line-column-block.html">Ligne/Colonne/Bloc</a> seule.</li>
<li><b>Moyen</b> : aussi <a href="method-single.html">Single</a> et les paires (<a href="method-group.html">groupes</a> de deux).</li>
<li><b>Difficile</b> : aussi <a href="method-probables.html">Probables</a> et les groupes jusqu'à cinq cases.</li>
<li><b>Terrible</b> : aussi <a href="method-burma.html">Burma</a>, le <a href="method-colouring.html">Coloriage</a>,
<a href="method-forcing-chain.html">Forcing Chain</a> et les plus grands groupes.</li>
</ul>
<h2>Règles aléatoires</h2>
<p>Les deux lignes aléatoires de la liste des règles laissent Quorbel choisir : Un seul Aléatoire ajoute
aux règles classiques une règle de variante tirée au hasard ; Aléatoires multiples tire plusieurs règles
compatibles entre elles.</p>
<p>Si un message dit que la génération a échoué, recommencez simplement : une nouvelle solution est tirée à chaque fois.</p>
""")

METHOD_LINKS_EN = """
<ul>
<li><a href="method-line-column-block.html">Line/Column/Block</a> (LinColBlk)</li>
<li><a href="method-single.html">Single</a></li>
<li><a href="method-probables.html">Probables</a></li>
<li><a href="method-group.html">Group</a>, with its sizes 2 to 7</li>
<li><a href="method-burma.html">Burma</a>, with its sizes 2 to 7</li>
<li><a href="method-colouring.html">Colouring</a></li>
<li><a href="method-forcing-chain.html">Forcing Chain</a></li>
<li><a href="method-random.html">Random</a></li>
</ul>"""
METHOD_LINKS_FR = METHOD_LINKS_EN.replace("Line/Column/Block", "Ligne/Colonne/Bloc").replace(
    "Group</a>, with its sizes", "Groupe</a>, avec ses tailles").replace(
    "Burma</a>, with its sizes", "Burma</a>, avec ses tailles").replace(
    ">Colouring</a>", ">Coloriage</a> (Colouring)").replace(">Random<", ">Aléatoire<").replace(" to 7", " à 7")

topic("methods", "The methods panel", """
<p>The methods panel (F5, or Display &gt; Methods) chooses the methods that the hint (F9) and the
<a href="solving.html">solve commands</a> may use, from the simplest to the strongest:</p>
""" + METHOD_LINKS_EN + """
<p>The size check boxes (2 to 7) of Group and Burma choose how many cells or lines they look at together; the sizes a
small grid cannot use are greyed. <b>Variant</b> lets the solver use the variant rules of the grid too.
All, None and Default tick every method, none, or the usual set. The choice is kept for your next games.</p>
<p>Untick the strong methods to get hints that teach the simple ones first.</p>
""", "Le panneau des méthodes", """
<p>Le panneau des méthodes (F5, ou Affichage &gt; Méthodes) choisit les méthodes que l'indice (F9) et les
<a href="solving.html">commandes de résolution</a> peuvent employer, de la plus simple à la plus forte :</p>
""" + METHOD_LINKS_FR + """
<p>Les cases à cocher des tailles (2 à 7) de Groupe et de Burma choisissent combien de cases ou de lignes elles regardent
ensemble ; les tailles inutilisables sur une petite grille sont grisées. <b>Variante</b> laisse aussi le
solveur se servir des règles de variantes de la grille. Toutes, Aucune et Défaut cochent toutes les
méthodes, aucune, ou le jeu habituel. Le choix est gardé pour vos prochaines parties.</p>
<p>Décochez les méthodes fortes pour obtenir des indices qui enseignent d'abord les simples.</p>
""")

def method(page, name_en, what_en, example_en, name_fr, what_fr, example_fr):
    topic(page, name_en, f"<p>{what_en}</p>\n<h2>Example</h2>\n<p>{example_en}</p>\n"
          '<p>Back to <a href="methods.html">the methods panel</a>.</p>\n',
          name_fr, f"<p>{what_fr}</p>\n<h2>Exemple</h2>\n<p>{example_fr}</p>\n"
          '<p>Retour au <a href="methods.html">panneau des méthodes</a>.</p>\n')

method("method-line-column-block", "Line/Column/Block",
 "A cell whose row, column and block already hold every digit but one can only take that last digit. "
 "This is the first thing to look for, and the easiest.",
 "Row 1 holds 1, 2, 3, 5 and 7; column 4 holds 4 and 9; the block of r1c4 holds 6. Every digit but 8 is "
 "seen from r1c4, so r1c4 = 8.",
 "Ligne/Colonne/Bloc",
 "Une case dont la ligne, la colonne et le bloc contiennent déjà tous les chiffres sauf un ne peut prendre "
 "que ce dernier chiffre. C'est la première chose à chercher, et la plus facile.",
 "La ligne 1 contient 1, 2, 3, 5 et 7 ; la colonne 4 contient 4 et 9 ; le bloc de L1C4 contient 6. Tous "
 "les chiffres sauf 8 sont vus depuis L1C4, donc L1C4 = 8.")
method("method-single", "Single",
 "Look at one digit in one row, column or block: when it can go in only one of the unit's cells, it goes "
 "there, even if that cell has other candidates.",
 "In the top-left block, the 5 cannot go in the first row (row 1 has a 5), nor in columns 1 and 2 "
 "(both have a 5). Only r3c3 is left for the 5 in that block: r3c3 = 5.",
 "Single",
 "Regardez un chiffre dans une ligne, une colonne ou un bloc : quand il ne peut aller que dans une seule "
 "case de cette unité, il y va, même si cette case a d'autres candidats.",
 "Dans le bloc en haut à gauche, le 5 ne peut aller ni dans la première ligne (elle a un 5), ni dans les "
 "colonnes 1 et 2 (elles ont un 5). Il ne reste que L3C3 pour le 5 de ce bloc : L3C3 = 5.")
method("method-probables", "Probables",
 "When, inside a block, a digit can only go in cells of one row (or of one column), that digit must be "
 "in that row within this block: it can be crossed out of the rest of the row, outside the block.",
 "In the middle block, the 4 can only go in r5c4 or r5c6, both in row 5. So the 4 of row 5 is in the "
 "middle block, and r5c1, r5c2, r5c8 lose their candidate 4.",
 "Probables",
 "Quand, dans un bloc, un chiffre ne peut aller que dans des cases d'une même ligne (ou d'une même "
 "colonne), ce chiffre est sur cette ligne à l'intérieur du bloc : on le raye du reste de la ligne, hors du bloc.",
 "Dans le bloc du milieu, le 4 ne peut aller qu'en L5C4 ou L5C6, toutes deux sur la ligne 5. Le 4 de la "
 "ligne 5 est donc dans le bloc du milieu, et L5C1, L5C2, L5C8 perdent leur candidat 4.")
method("method-group", "Group",
 "When n cells of one unit have, between them, only n candidates, those n digits are shared out among "
 "them: no other cell of the unit can hold them. The boxes 2, 3, 4... under \"Group XXX\" in the methods panel "
 "choose which n are tried (2 for pairs, 3 for triples...).",
 "In row 7, r7c2 has candidates {3, 8} and r7c6 has {3, 8}. The 3 and the 8 of row 7 are in these two "
 "cells, so every other cell of row 7 loses 3 and 8; r7c9, which had {3, 6}, becomes 6.",
 "Groupe",
 "Quand n cases d'une unité n'ont, à elles toutes, que n candidats, ces n chiffres se partagent entre "
 "elles : aucune autre case de l'unité ne peut les avoir. Les cases à cocher 2, 3, 4... sous « Group XXX » "
 "dans le panneau des méthodes choisissent les valeurs de n essayées (2 pour les paires, 3 pour les triplets...).",
 "Sur la ligne 7, L7C2 a pour candidats {3, 8} et L7C6 aussi {3, 8}. Le 3 et le 8 de la ligne 7 sont dans "
 "ces deux cases, donc toutes les autres cases de la ligne 7 perdent 3 et 8 ; L7C9, qui avait {3, 6}, devient 6.")
method("method-burma", "Burma",
 "Take one digit. When, in n rows, its possible places all fall into the same n columns, each of those "
 "columns gets its digit from these rows: the digit can be crossed out of the other cells of those "
 "columns. The same holds with columns and rows swapped. With n = 2 this is the well-known X-Wing.",
 "The 6 can only go in columns 2 and 7 in row 3, and in columns 2 and 7 in row 8. Whatever happens, "
 "the 6 of columns 2 and 7 are in rows 3 and 8: every other cell of columns 2 and 7 loses its 6.",
 "Burma",
 "Prenez un chiffre. Quand, dans n lignes, ses places possibles tombent toutes dans les mêmes n "
 "colonnes, chacune de ces colonnes reçoit ce chiffre de ces lignes : on le raye des autres cases de ces "
 "colonnes. De même en échangeant lignes et colonnes. Avec n = 2, c'est le fameux X-Wing.",
 "Le 6 ne peut aller qu'en colonnes 2 et 7 sur la ligne 3, et en colonnes 2 et 7 sur la ligne 8. Quoi qu'il "
 "arrive, les 6 des colonnes 2 et 7 sont sur les lignes 3 et 8 : toutes les autres cases des colonnes 2 et 7 perdent leur 6.")
method("method-colouring", "Colouring",
 "Take one digit and a unit where it has few places. Try each place in turn and follow where the digit "
 "must then go elsewhere (each try is one colour). A cell from which every try removes the digit cannot "
 "hold it. Display &gt; Coloring (Ctrl+D) shows these chains on the board, one colour per try.",
 "The 2 of block 1 can go in r1c1 or r2c3. Trying r1c1 forces the 2 of row 5 into r5c7; trying r2c3 "
 "forces the 2 of column 7 into r5c7 as well. Both tries take the 2 out of r4c7, so r4c7 is not a 2.",
 "Coloriage",
 "Prenez un chiffre et une unité où il a peu de places. Essayez chaque place tour à tour et suivez où le "
 "chiffre doit alors aller ailleurs (chaque essai est une couleur). Une case d'où tous les essais retirent "
 "le chiffre ne peut pas le contenir. Affichage Coloriage (Ctrl+D) montre ces chaînes sur la grille, "
 "une couleur par essai.",
 "Le 2 du bloc 1 peut aller en L1C1 ou en L2C3. Essayer L1C1 force le 2 de la ligne 5 en L5C7 ; essayer "
 "L2C3 force aussi le 2 de la colonne 7 en L5C7. Les deux essais retirent le 2 de L4C7 : L4C7 n'est pas un 2.")
method("method-forcing-chain", "Forcing Chain",
 "Take a cell with few candidates, often two. Try each candidate and follow everything it forces. When "
 "every try leads to the same digit in some cell, that digit is right, whichever candidate is right.",
 "r6c5 is 1 or 7. With 1, the row forces r6c9 = 4. With 7, the column forces r2c9 = 7, then the block "
 "forces r6c9 = 4 again. Both ways r6c9 = 4: place it.",
 "Forcing Chain",
 "Prenez une case à peu de candidats, souvent deux. Essayez chaque candidat et suivez tout ce qu'il "
 "impose. Quand tous les essais mènent au même chiffre dans une case, ce chiffre est juste, quel que soit "
 "le bon candidat.",
 "L6C5 vaut 1 ou 7. Avec 1, la ligne impose L6C9 = 4. Avec 7, la colonne impose L2C9 = 7, puis le bloc "
 "impose encore L6C9 = 4. Dans les deux cas L6C9 = 4 : placez-le.")
method("method-random", "Random",
 "The last resort, off by default: when nothing else works, Quorbel places one value taken from the "
 "grid's solution. It always moves the game forward, but it teaches nothing.",
 "The methods you ticked find nothing more on a Terrible grid. With Random ticked, the next hint places "
 "the solution's value of one open cell, and the other methods can start again from there.",
 "Aléatoire",
 "Le dernier recours, coupé par défaut : quand rien d'autre ne marche, Quorbel place une valeur prise "
 "dans la solution de la grille. Il fait toujours avancer la partie, mais n'apprend rien.",
 "Les méthodes cochées ne trouvent plus rien sur une grille Terrible. Avec Aléatoire coché, l'indice "
 "suivant place la valeur de la solution dans une case ouverte, et les autres méthodes peuvent repartir de là.")

topic("solving", "Hints and the solve commands", """
<p>The Sudoku menu can help you, with the methods ticked in the <a href="methods.html">methods panel</a>:</p>
<ul>
<li><b>Propose</b> (F9): finds one value, in the current cell if it can, and says which method found it;
the cells that explain it are highlighted. Click the method's name in the message to read about it.</li>
<li><b>Solve 1 loop</b> (Ctrl+B): one pass of every method over the grid.</li>
<li><b>Full Solve</b> (Ctrl+R): goes on until the grid is solved or the methods are stuck; the message
says how many values were found and how many cells are left.</li>
<li><b>Back Good Solutions</b>: looks for the last state of your game that can still lead to a solution
and brings the grid back to it, when you made a mistake.</li>
</ul>
<p>Every value placed this way counts as help in your <a href="end-of-game.html">mark</a>. For a grid that
has no solution or several, use <a href="search.html">the solution search</a>.</p>
""", "Les indices et les commandes de résolution", """
<p>Le menu Sudoku peut vous aider, avec les méthodes cochées dans le <a href="methods.html">panneau des méthodes</a> :</p>
<ul>
<li><b>Propose</b> (F9) : trouve une valeur, dans la case courante si possible, et dit quelle méthode l'a
trouvée ; les cases qui l'expliquent sont mises en valeur. Cliquez le nom de la méthode dans le message pour en lire la page.</li>
<li><b>Résoud 1 itération</b> (Ctrl+B) : un passage de chaque méthode sur la grille.</li>
<li><b>Résoud complet</b> (Ctrl+R) : continue jusqu'à ce que la grille soit résolue ou que les méthodes
soient bloquées ; le message dit combien de valeurs ont été trouvées et combien de cases restent.</li>
<li><b>Retour Bonne Solution</b> : cherche le dernier état de votre partie qui peut encore mener à une
solution et y ramène la grille, quand vous vous êtes trompé.</li>
</ul>
<p>Chaque valeur placée ainsi compte comme aide dans votre <a href="end-of-game.html">note</a>. Pour une grille
sans solution ou à plusieurs solutions, employez <a href="search.html">la recherche des solutions</a>.</p>
""")

topic("search", "The solution search", """
<p>Sudoku &gt; Search Solutions (Ctrl+F) tries every possibility and counts the solutions of the grid as it
stands. It tells you whether the grid has no solution, exactly one, or several. The search stops after a
time limit or when you press Escape or the right mouse button.</p>
<p>The solutions found are kept: Page Down and Page Up (or the mouse wheel) step through them on the
board, and the message panel says which one you see.</p>
""", "La recherche des solutions", """
<p>Sudoku &gt; Recherche Solutions (Ctrl+F) essaie toutes les possibilités et compte les solutions de la
grille telle qu'elle est. Elle vous dit si la grille n'a pas de solution, une seule, ou plusieurs. La
recherche s'arrête après un temps limite ou quand vous appuyez sur Echap ou le bouton droit de la souris.</p>
<p>Les solutions trouvées sont gardées : Page Suivante et Page Précédente (ou la molette) les font défiler
sur la grille, et le panneau des messages dit laquelle vous voyez.</p>
""")

topic("end-of-game", "The end of the game and the mark", """
<p>A game ends when the grid is complete and right, when a solve command completes it, or when the time
of a timed game is up. A window then gives your mark out of 20 and a short report. A better mark than
your best at that level becomes your new best score; Sudoku &gt; Best Score shows them all.</p>
<h2>How the mark is made</h2>
<ul>
<li>You start from 20.</li>
<li>Time: every second counts. The points lost grow with the share of the time allowed for the size
and level that you use, from the first second on.</li>
<li>Help: values placed by hints and solve commands beyond a small allowance (none at Terrible) cost points.</li>
<li>Undo and right-click menus used many times cost a little.</li>
<li>Helps left switched on (candidates, probables, colouring...) are timed and count against the time.
A pause (F2) stops the clock and these timers alike.</li>
<li>An unfinished grid gets 0.</li>
</ul>
<p>On a Double Triple grid, in the <a href="triple.html">Double Triple</a> game or opened from the
catalogue or a file, the window shows your points and the best possible instead of a mark out of 20;
those points never become a best score.</p>
<p>A finished game that you save and open again stays finished: its clock stays stopped and it keeps
its score.</p>
""", "La fin de partie et la note", """
<p>Une partie se termine quand la grille est complète et juste, quand une commande de résolution la
termine, ou quand le temps d'une partie chronométrée est écoulé. Une fenêtre donne alors votre note sur
20 et un petit bilan. Une note meilleure que votre record à ce niveau devient votre nouveau meilleur
score ; Sudoku &gt; Meilleur Score les montre tous.</p>
<h2>Comment la note est faite</h2>
<ul>
<li>Vous partez de 20.</li>
<li>Le temps : chaque seconde compte. Les points perdus croissent avec la part du temps accordé pour la
taille et le niveau que vous utilisez, dès la première seconde.</li>
<li>L'aide : les valeurs placées par les indices et les commandes de résolution au-delà d'une petite
franchise (aucune en Terrible) coûtent des points.</li>
<li>Les annulations et les menus du clic droit employés souvent coûtent un peu.</li>
<li>Les aides laissées allumées (candidats, probables, coloriage...) sont chronométrées et comptent contre le temps.
Une pause (F2) arrête l'horloge et ces chronomètres à la fois.</li>
<li>Une grille non terminée vaut 0.</li>
</ul>
<p>Sur une grille Double Triple, dans le jeu <a href="triple.html">Double Triple</a> ou ouverte depuis
le catalogue ou un fichier, la fenêtre montre vos points et le meilleur possible au lieu d'une note sur
20 ; ces points ne deviennent jamais un meilleur score.</p>
<p>Une partie finie que vous enregistrez puis rouvrez reste finie : son horloge reste arrêtée et elle
garde son score.</p>
""")

topic("preferences", "Preferences and display profiles", """
<p>Display &gt; Preference (F6) opens the preferences: their pages set the look of the board (cells,
grid, geometry, colours, texts and pictures), the variant options, the music, the folders, the challenge
and the scanner. Changes show on the board at once; OK keeps them, Cancel puts back what the sheet changed.</p>
<p>Display &gt; Magic Select (F7) steps through display profiles: saved sets of display settings that
you switch between in one click. Save Current keeps the present look as a profile.</p>
<p>F5 to F8 open the methods panel, the preferences, the profiles and the music bar from any window.</p>
""", "Préférences et profils d'affichage", """
<p>Affichage &gt; Préférence (F6) ouvre les préférences : leurs pages règlent l'aspect de la grille (cases,
grille, géométrie, couleurs, textes et images), les options des variantes, la musique, les dossiers, le
défi et le scanner. Les changements se voient tout de suite ; OK les garde, Annuler remet ce que la
feuille avait changé.</p>
<p>Affichage &gt; Magique Sélection (F7) passe d'un profil d'affichage à l'autre : des réglages d'affichage
enregistrés, que vous changez d'un clic. Sauve Courant garde l'aspect présent comme profil.</p>
<p>F5 à F8 ouvrent le panneau des méthodes, les préférences, les profils et la barre de musique depuis n'importe quelle fenêtre.</p>
""")

topic("scripts", "Scripts (macros)", """
<p>A script (a <code>.macro</code> file) is a list of steps that Quorbel plays as if you did them: open or
generate a grid, solve, change a display, click cells, show a message, wait. The Help menu's demo and
examples are scripts.</p>
<ul>
<li>Playing: Help &gt; Demo and the examples play ours; a script given on the command line plays after
start-up, even without a screen.</li>
<li>In expert mode, Shift+Y starts a recording, Shift+S pauses it, Shift+C resumes it and Shift+Z stops it
and saves the steps in <code>MyMacro.macro</code>; Shift+M plays a script file.</li>
</ul>
<p>Each line is a keyword and its arguments separated by ";", for example <code>GENERE;9;MEDIUM;0;-1;UNIQ</code>
(a medium 9x9 grid with one solution) then <code>SOLVE</code>. Whatever follows two tabs on a line is a comment. A step that fails is reported with its
line in the message panel.</p>
""", "Les scripts (macros)", """
<p>Un script (un fichier <code>.macro</code>) est une liste d'étapes que Quorbel joue comme si vous les
faisiez : ouvrir ou générer une grille, résoudre, changer un affichage, cliquer des cases, montrer un
message, attendre. La démo et les exemples du menu Aide sont des scripts.</p>
<ul>
<li>Jouer : Aide &gt; Démo et les exemples jouent les nôtres ; un script donné sur la ligne de commande se
joue après le démarrage, même sans écran.</li>
<li>En mode expert, Maj+Y commence un enregistrement, Maj+S le met en pause, Maj+C le reprend et Maj+Z
l'arrête et sauve les étapes dans <code>MyMacro.macro</code> ; Maj+M joue un fichier de script.</li>
</ul>
<p>Chaque ligne est un mot-clé et ses arguments séparés par « ; », par exemple <code>GENERE;9;MEDIUM;0;-1;UNIQ</code>
(une grille 9x9 moyenne à solution unique) puis <code>SOLVE</code>. Ce qui suit deux tabulations sur une ligne est un commentaire. Une étape qui échoue
est signalée avec sa ligne dans le panneau des messages.</p>
""")

topic("scanning", "Reading grids from pictures", """
<p>File &gt; Import reads a picture of a printed grid, from the clipboard, from a file or from every picture
of a folder, and turns it into a text grid you can play. Edit &gt; Scan reads a line, a column or an area of a
picture on the clipboard into the current grid, starting at the selected cell.</p>
<p>When Quorbel meets a digit shape it does not know, it shows it and asks you which digit it is; it learns
the answer for next time. File &gt; Import &gt; Reset Dico forgets what it learnt.</p>
<p>Tip: a sharp, straight picture with dark digits on a light ground reads best.</p>
""", "Lire des grilles dans des images", """
<p>Fichier &gt; Importer lit l'image d'une grille imprimée, depuis le presse-papiers, un fichier ou toutes
les images d'un dossier, et en fait une grille texte à jouer. Edition &gt; Scan lit une ligne, une colonne
ou une zone d'une image du presse-papiers dans la grille courante, à partir de la case choisie.</p>
<p>Quand Quorbel rencontre une forme de chiffre qu'il ne connaît pas, il la montre et vous demande quel
chiffre c'est ; il retient la réponse pour la suite. Fichier &gt; Importer &gt; Reset Dico oublie ce qu'il a appris.</p>
<p>Astuce : une image nette et droite, aux chiffres sombres sur fond clair, se lit le mieux.</p>
""")
