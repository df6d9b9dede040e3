#!/usr/bin/env python3
"""Writes the help pages beside the program: DATA/help/<fr|en>/<page>.html.

The topics' texts are in tools/help/topic_texts.py, the rules' in tools/help/rule_texts.py; the
rules' names and their order come from the rule table (engine/rule_registry.h), and each rule's
page shows the picture that make_help_pictures draws with the board's painter.

    tools/make_help_pages.py data           writes them
    tools/make_help_pages.py --check data   says which pages differ from what it would write
"""
import filecmp
import html
import pathlib
import re
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE / "help"))
from rule_texts import RULES  # noqa: E402
from topic_texts import TOPICS  # noqa: E402

FIRST_RULE_ROW = 3
WORDS = {
    "en": {"contents": "Contents", "rules": "All the rules", "lang": "en",
           "classic": "<p>Every grid keeps the classic rules: each row, each column and each block holds "
                      "every digit once (every symbol, on grids with letters). The variant rules below add "
                      "their own constraints; several can be combined on one grid.</p>",
           "rules_title": "The variant rules"},
    "fr": {"contents": "Sommaire", "rules": "Toutes les règles", "lang": "fr",
           "classic": "<p>Chaque grille garde les règles classiques : chaque ligne, chaque colonne et chaque "
                      "bloc contient chaque chiffre une fois (chaque symbole, sur les grilles à lettres). Les "
                      "règles de variantes ci-dessous ajoutent leurs propres contraintes ; plusieurs peuvent "
                      "se combiner sur une même grille.</p>",
           "rules_title": "Les règles des variantes"},
}


def catalogue_names(source):
    text = source.read_text(encoding="utf-8")
    start = text.index("kRows = {{")
    body = text[start:text.index("}};", start)]
    return re.findall(r'\{\w+, "([^"]*)", "([^"]*)",', body)


def rule_page(name_en):
    return "rule-" + "-".join(w.lower() for w in re.split(r"[^A-Za-z0-9]+", name_en) if w)


def page(lang, title, body, up=None):
    w = WORDS[lang]
    nav = f'<a href="index.html">{w["contents"]}</a>'
    if up:
        nav += f' | <a href="{up[0]}">{up[1]}</a>'
    return (f'<!DOCTYPE html>\n<html lang="{w["lang"]}">\n<head>\n<meta charset="utf-8">\n'
            f"<title>{html.escape(title)}</title>\n</head>\n<body>\n<p>{nav}</p>\n"
            f"<h1>{html.escape(title)}</h1>\n{body.strip()}\n</body>\n</html>\n")


def write_pages(out):
    names = catalogue_names(HERE.parent / "engine" / "rule_registry.h")
    rules = names[FIRST_RULE_ROW:]
    missing = [en for en, _ in rules if en not in RULES]
    if missing:
        sys.exit("no help text for: " + ", ".join(missing))
    for lang, side in (("en", 0), ("fr", 1)):
        folder = out / lang
        folder.mkdir(parents=True, exist_ok=True)
        for name, (title_en, body_en, title_fr, body_fr) in TOPICS.items():
            title, body = (title_en, body_en) if lang == "en" else (title_fr, body_fr)
            (folder / f"{name}.html").write_text(page(lang, title, body), encoding="utf-8")
        items = []
        for en, fr in rules:
            shown = en if lang == "en" else fr
            picture = f'<p><img src="../pictures/{rule_page(en)}.png" alt="{html.escape(shown)}"></p>'
            body = picture + "\n" + RULES[en][side]
            up = ("rules.html", WORDS[lang]["rules"])
            (folder / f"{rule_page(en)}.html").write_text(page(lang, shown, body, up), encoding="utf-8")
            items.append(f'<li><a href="{rule_page(en)}.html">{html.escape(shown)}</a></li>')
        body = WORDS[lang]["classic"] + "\n<ul>\n" + "\n".join(items) + "\n</ul>"
        (folder / "rules.html").write_text(page(lang, WORDS[lang]["rules_title"], body), encoding="utf-8")


def main():
    args = sys.argv[1:]
    check = args[:1] == ["--check"]
    if check:
        args = args[1:]
    if len(args) != 1:
        sys.exit("usage: make_help_pages.py [--check] DATA_DIR")
    shipped = pathlib.Path(args[0]) / "help"
    if not check:
        write_pages(shipped)
        return
    with tempfile.TemporaryDirectory() as made:
        write_pages(pathlib.Path(made))
        stale = []
        for lang in ("en", "fr"):
            fresh, old = pathlib.Path(made) / lang, shipped / lang
            names = {p.name for p in fresh.glob("*.html")} | {p.name for p in old.glob("*.html")}
            stale += [f"{lang}/{n}" for n in sorted(names)
                      if not (fresh / n).exists() or not (old / n).exists()
                      or not filecmp.cmp(fresh / n, old / n, shallow=False)]
    if stale:
        sys.exit("help pages to write again (tools/make_help_pages.py data): " + ", ".join(stale))


if __name__ == "__main__":
    main()
