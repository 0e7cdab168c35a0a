#!/usr/bin/env python3
"""Makes the module's table of texts from the gettext files of
src/settings/texts/: texts.pot, the English every other language follows,
and one <tag>.po for each further tag of kLanguageTags (src/settings/texts.h).
The build runs it (src/settings/texts.cmake) and texts.cpp includes what it
writes.

    python3 scripts/make_texts_table.py --texts-h src/settings/texts.h \
        --version-h src/version.h --template src/settings/texts/texts.pot \
        --output build/host/src/generated/texts_table.inc

It refuses, naming the file, the line and the text's id, a language without
its PO file or a PO file without its language; a PO file that lacks a text
of the template, has one the template does not, or still holds one the
translator has not done (empty or fuzzy) or an English the template no
longer has; a text whose placeholders (%1, %2), colour codes (~r~, ~g~) or
@TOKEN@s differ from the English's; and a text longer than the room its
"#. Room:" comment gives. The table it writes carries a static_assert for
each text's place in TextId and its room in RoomOf, so that the compiler
refuses a template out of step with either.

Standard library only: the build machines have Python and nothing more.
"""

import argparse
import pathlib
import re
import sys

# A token stands where the table splices a macro of src/version.h: the
# version is written once, there.
TOKEN = re.compile(r"@([A-Z][A-Z0-9_]*)@")
ROOM = re.compile(r"Room: (?:(\d+) bytes|(not limited) in bytes)\.")
ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "a": "\a", "b": "\b", "f": "\f", "v": "\v",
           "\\": "\\", '"': '"'}


class Refusal(Exception):
    pass


class Entry:
    def __init__(self, start: int):
        self.start = start
        self.line = None  # where its msgctxt, else its msgid, stands
        self.context = None
        self.msgid = None
        self.msgstr = None
        self.plural = False
        self.fuzzy = False
        self.comments = []  # the "#." lines


def shown(path: pathlib.Path) -> str:
    try:
        return str(path.resolve().relative_to(pathlib.Path.cwd()))
    except ValueError:
        return str(path)


def read_po(path: pathlib.Path) -> tuple[dict, list]:
    """The header's fields and the entries of a PO file, obsolete ones left
    out; malformed files are refused."""
    where = shown(path)
    try:
        lines = path.read_bytes().decode("utf-8").splitlines()
    except UnicodeDecodeError as error:
        line = path.read_bytes()[:error.start].count(b"\n") + 1
        raise Refusal(f"{where}:{line}: not UTF-8") from None
    entries = []
    entry = None
    field = None  # the entry's attribute that continuation lines extend

    def string(text: str, number: int) -> str:
        if len(text) < 2 or text[0] != '"' or text[-1] != '"':
            raise Refusal(f"{where}:{number}: expected a quoted string, found {text!r}")
        body, out, at = text[1:-1], [], 0
        while at < len(body):
            if body[at] == '"':
                raise Refusal(f"{where}:{number}: a quote inside a string must be \\\"")
            if body[at] != "\\":
                out.append(body[at])
                at += 1
                continue
            escape = body[at + 1:at + 2]
            if escape not in ESCAPES:
                raise Refusal(f"{where}:{number}: unknown escape \\{escape}")
            out.append(ESCAPES[escape])
            at += 2
        return "".join(out)

    for number, raw in enumerate(lines, 1):
        line = raw.strip()
        if not line or line.startswith("#~"):
            field = None
            continue
        if line.startswith("#"):
            if entry is not None and entry.msgstr is not None:
                entries.append(entry)
                entry = None
            if entry is None:
                entry = Entry(number)
            if line.startswith("#,"):
                entry.fuzzy = "fuzzy" in (flag.strip() for flag in line[2:].split(","))
            elif line.startswith("#."):
                entry.comments.append((line[2:].strip(), number))
            field = None
            continue
        keyword, _, rest = line.partition(" ")
        if keyword.startswith('"'):
            if field is None:
                raise Refusal(f"{where}:{number}: a string that continues nothing")
            setattr(entry, field, getattr(entry, field) + string(line, number))
            continue
        if keyword in ("msgctxt", "msgid") and entry is not None and entry.msgstr is not None:
            entries.append(entry)
            entry = None
        if entry is None:
            entry = Entry(number)
        if keyword == "msgctxt":
            field = "context"
        elif keyword == "msgid":
            field = "msgid"
        elif keyword == "msgid_plural" or keyword.startswith("msgstr["):
            entry.plural = True
            entry.msgstr = entry.msgstr or ""
            field = None
            continue
        elif keyword == "msgstr":
            field = "msgstr"
        else:
            raise Refusal(f"{where}:{number}: unknown keyword {keyword}")
        if keyword in ("msgctxt", "msgid") and entry.line is None:
            entry.line = number
        setattr(entry, field, string(rest.strip(), number))
    if entry is not None:
        if entry.msgstr is None:
            raise Refusal(f"{where}:{entry.start}: an entry without msgstr")
        entries.append(entry)

    if not entries or entries[0].context is not None or entries[0].msgid != "":
        raise Refusal(f"{where}:1: no header entry (msgid \"\") at the top")
    header = {}
    for field_line in entries[0].msgstr.split("\n"):
        name, colon, value = field_line.partition(":")
        if colon:
            header[name.strip()] = value.strip()
    if "charset=utf-8" not in header.get("Content-Type", "").lower().replace(" ", ""):
        raise Refusal(f"{where}:{entries[0].line}: the header's Content-Type must be "
                      "text/plain; charset=UTF-8")
    seen = {}
    for entry in entries[1:]:
        if entry.context is None:
            raise Refusal(f"{where}:{entry.line}: an entry without msgctxt (the text's id)")
        if entry.plural:
            raise Refusal(f"{where}:{entry.line}: {entry.context}: the table takes no plural "
                          "forms")
        if entry.context in seen:
            raise Refusal(f"{where}:{entry.line}: {entry.context} is already at line "
                          f"{seen[entry.context]}")
        seen[entry.context] = entry.line
    return header, entries[1:]


def codes(text: str) -> list:
    """The ~x~ colour codes in order; None when a '~' is not part of one."""
    found, at = [], 0
    while at < len(text):
        if text[at] == "~":
            if at + 2 >= len(text) or text[at + 2] != "~":
                return None
            found.append(text[at:at + 3])
            at += 3
        else:
            at += 1
    return found


def check_text(text: str, where: str, name: str, room: int, macros: dict) -> list:
    """What is wrong with a text on its own: its characters, codes, tokens
    and length."""
    wrong = []
    if text == "":
        wrong.append(f"{where}: {name} is empty")
    control = [c for c in text if ord(c) < 0x20 or ord(c) == 0x7F]
    if control:
        wrong.append(f"{where}: {name} holds a control character ({control[0]!r}): the game "
                     "draws one line")
    if codes(text) is None:
        wrong.append(f"{where}: {name} has a '~' that is no colour code (~r~, ~g~, ...)")
    for token in TOKEN.findall(text):
        if token not in macros:
            wrong.append(f"{where}: {name}: @{token}@ is no text of src/version.h")
    if not wrong and room:
        length = len(TOKEN.sub(lambda m: macros[m.group(1)], text).encode("utf-8"))
        if length >= room:
            wrong.append(f"{where}: {name} takes {length} bytes of UTF-8, more than its "
                         f"room of {room - 1}")
    return wrong


def compare(text: str, english: str, where: str, name: str) -> list:
    """What a translation changes of the English that the module needs kept."""
    wrong = []
    ours, theirs = re.findall(r"%.?", text), re.findall(r"%.?", english)
    if ours != theirs:
        wrong.append(f"{where}: {name} has the placeholders [{' '.join(ours)}], the English "
                     f"[{' '.join(theirs)}]")
    if codes(text) is not None and codes(text) != codes(english):
        wrong.append(f"{where}: {name} has the colour codes [{' '.join(codes(text))}], the "
                     f"English [{' '.join(codes(english))}]")
    tokens, english_tokens = TOKEN.findall(text), TOKEN.findall(english)
    # An English that is one token alone is a whole line kept in version.h,
    # which another language says in its own words.
    whole_line = TOKEN.fullmatch(english) is not None and not tokens
    if tokens != english_tokens and not whole_line:
        wrong.append(f"{where}: {name} has the tokens [{' '.join(f'@{t}@' for t in tokens)}], "
                     f"the English [{' '.join(f'@{t}@' for t in english_tokens)}]")
    return wrong


def c_literals(text: str) -> str:
    """The text as C++ string literals and macros, ended by its NUL."""
    parts = []
    at = 0
    for token in TOKEN.finditer(text):
        if token.start() > at:
            parts.append(quote(text[at:token.start()]))
        parts.append(token.group(1))
        at = token.end()
    parts.append(quote(text[at:] + "\0"))
    return " ".join(parts)


def quote(text: str) -> str:
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"').replace("\0", "\\0") + '"'


def array_name(tag: str) -> str:
    return "k" + "".join(part[:1].upper() + part[1:].lower() for part in tag.split("-"))


def language_tags(texts_h: pathlib.Path) -> tuple[list, str]:
    """kLanguageTags' tags, and where it stands for the messages."""
    text = texts_h.read_text(encoding="utf-8")
    code = re.sub(r"//[^\n]*|/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), text,
                  flags=re.S)
    found = re.search(r"kLanguageTags\s*\[[^\]]*\]\s*=\s*\{([^}]*)\}", code)
    if not found:
        raise Refusal(f"{shown(texts_h)}: no kLanguageTags = {{...}} to read the languages from")
    line = code[:found.start()].count("\n") + 1
    return re.findall(r'"([^"]*)"', found.group(1)), f"{shown(texts_h)}:{line}"


def version_texts(version_h: pathlib.Path) -> dict:
    return dict(re.findall(r'^#define\s+(\w+)\s+"([^"\\]*)"\s*$',
                           version_h.read_text(encoding="utf-8"), flags=re.M))


def make_table(args) -> str:
    template_path = args.template
    template_where = shown(template_path)
    tags, tags_where = language_tags(args.texts_h)
    macros = version_texts(args.version_h)
    wrong = []

    _, template = read_po(template_path)
    rooms = {}
    for entry in template:
        room = None
        for comment, _ in entry.comments:
            found = ROOM.fullmatch(comment)
            if found:
                room = 0 if found.group(2) else int(found.group(1)) + 1
        if room is None:
            wrong.append(f"{template_where}:{entry.line}: {entry.context} has no "
                         "\"#. Room: N bytes.\" or \"#. Room: not limited in bytes.\" comment")
            room = 0
        rooms[entry.context] = room
        if entry.msgstr != "":
            wrong.append(f"{template_where}:{entry.line}: {entry.context}: the template's "
                         "msgstr stays empty; the English is its msgid")
        wrong += check_text(entry.msgid, f"{template_where}:{entry.line}", entry.context, room,
                            macros)

    texts_dir = template_path.parent
    # English, the first language, is the template itself.
    languages = {tags[0]: [entry.msgid for entry in template]}
    for stray in sorted(texts_dir.glob("*.po")):
        if stray.stem not in tags[1:]:
            wrong.append(f"{shown(stray)}:1: {stray.stem} is no tag of kLanguageTags "
                         f"({tags_where}) after {tags[0]}, the template's")
    for tag in tags[1:]:
        path = texts_dir / f"{tag}.po"
        where = shown(path)
        if not path.exists():
            wrong.append(f"{tags_where}: kLanguageTags has {tag}, but there is no {where}")
            continue
        header, entries = read_po(path)
        language = header.get("Language", "").replace("_", "-").lower()
        if language not in (tag.lower(), tag.split("-")[0].lower()):
            wrong.append(f"{where}:1: the header's Language is {header.get('Language')!r}, "
                         f"not {tag}")
        by_id = {entry.context: entry for entry in entries}
        end = len(path.read_text(encoding="utf-8").splitlines())
        texts = []
        for index, english in enumerate(template):
            name = english.context
            entry = by_id.get(name)
            if entry is None:
                # Where msgmerge would put it: before the next text the file has.
                after = [by_id[later.context] for later in template[index + 1:]
                         if later.context in by_id]
                line = after[0].start if after else end
                wrong.append(f"{where}:{line}: lacks {name} ({template_where}:{english.line})")
                continue
            at = f"{where}:{entry.line}"
            if entry.msgid != english.msgid:
                wrong.append(f"{at}: {name}'s msgid is not the template's English "
                             f"({template_where}:{english.line}): merge the template in "
                             "(msgmerge) and translate it anew")
            elif entry.fuzzy:
                wrong.append(f"{at}: {name} is marked fuzzy: check the translation and take "
                             "the mark off")
            elif entry.msgstr == "":
                wrong.append(f"{at}: {name} is not translated")
            else:
                problems = check_text(entry.msgstr, at, name, rooms[name], macros)
                wrong += problems + (compare(entry.msgstr, english.msgid, at, name)
                                     if not problems else [])
            texts.append(entry.msgstr)
        for entry in entries:
            if entry.context not in rooms:
                wrong.append(f"{where}:{entry.line}: {entry.context} is not in the template "
                             f"({template_where})")
        languages[tag] = texts
    if wrong:
        raise Refusal("\n".join(wrong))

    out = [
        f"// Made from {template_where} and the PO files beside it by",
        "// scripts/make_texts_table.py at each build: change those, not this.",
        "",
        "// TextId is the template's order, and the template's rooms are RoomOf's.",
        f'static_assert(kTextCount == {len(template)}, "{template_where} has {len(template)} '
        'texts, TextId another count");',
    ]
    for index, entry in enumerate(template):
        out.append(f"static_assert(static_cast<int>(TextId::{entry.context}) == {index}, "
                   f'"{template_where}:{entry.line}: {entry.context} is text {index} there, '
                   'not in TextId");')
        out.append(f"static_assert(RoomOf(TextId::{entry.context}) == {rooms[entry.context]}, "
                   f'"{template_where}:{entry.line}: {entry.context}\'s room is not '
                   'RoomOf\'s");')
    out.append("")
    out.append(f"// The languages as {shown(args.texts_h)} numbers them.")
    out.append(f"static_assert(kLanguageCount == {len(tags)});")
    for index, tag in enumerate(tags):
        out.append(f'static_assert(std::string_view(kLanguageTags[{index}]) == "{tag}");')
    for tag in tags:
        out.append("")
        out.append(f"// {tag}")
        out.append(f"constexpr char {array_name(tag)}[] =")
        literals = [c_literals(text) for text in languages[tag]]
        out += [f"    {literal}" for literal in literals[:-1]]
        out.append(f"    {literals[-1]};")
    out.append("")
    names = ", ".join(array_name(tag) for tag in tags)
    sizes = ", ".join(f"sizeof {array_name(tag)}" for tag in tags)
    out.append(f"constexpr const char* kLanguageTexts[kLanguageCount] = {{{names}}};")
    out.append(f"constexpr std::size_t kLanguageSizes[kLanguageCount] = {{{sizes}}};")
    return "\n".join(out) + "\n"


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--texts-h", type=pathlib.Path, required=True)
    parser.add_argument("--version-h", type=pathlib.Path, required=True)
    parser.add_argument("--template", type=pathlib.Path, required=True)
    parser.add_argument("--output", type=pathlib.Path, required=True)
    parser.add_argument("--if-changed", action="store_true",
                        help="leave the output, and its time, alone when it already says this")
    args = parser.parse_args()
    try:
        table = make_table(args)
    except Refusal as refusal:
        print(f"{refusal}\nmake_texts_table: the texts table was not made", file=sys.stderr)
        return 1
    unchanged = args.output.exists() and args.output.read_text(encoding="utf-8") == table
    if args.if_changed and unchanged:
        return 0
    args.output.parent.mkdir(parents=True, exist_ok=True)
    args.output.write_text(table, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
