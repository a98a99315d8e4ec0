#!/usr/bin/env python3
# Checks the numbers the guide quotes from the program against what the guide
# driver saw the program show (its log, "guide_driver: <what> <text>" lines).
# The guide marks each quotation with an HTML comment, which the reader never
# sees:
#
#   <!-- 照合: what -->        before a fenced block: every line of the block
#                              is a line the driver printed as <what>
#   <!-- 照合表: what -->      before a table: every body row, its cells joined
#                              by commas, is such a line (blanks ignored)
#   <!-- 照合: what | text --> a line printed as <what> contains the text
#                              (runs of blanks read as one)
#
#   docs/check_numbers.py <guide.md> <driver log>
import re
import sys


def squeeze(text):
    return re.sub(r"\s+", " ", text).strip()


def main(guide_path, log_path):
    with open(guide_path, encoding="utf-8") as f:
        guide = f.read().split("\n")
    with open(log_path, encoding="utf-8", errors="replace") as f:
        log = f.read().replace("\r", "").split("\n")
    said = [line[len("guide_driver: "):]
            for line in log if line.startswith("guide_driver: ")]

    def lines_of(what):
        return [s[len(what) + 1:] for s in said if s.startswith(what + " ")]

    failures = []
    checked = 0
    marker = re.compile(r"<!-- (照合|照合表): (.+?) -->")
    for n, line in enumerate(guide):
        for kind, body in marker.findall(line):
            what, _, text = (part.strip() for part in body.partition("|"))
            seen = lines_of(what)
            if not seen:
                failures.append(f"line {n + 1}: the driver printed no \"{what}\" lines")
                continue
            if text:
                checked += 1
                if not any(squeeze(text) in squeeze(s) for s in seen):
                    failures.append(f"line {n + 1}: no \"{what}\" line holds \"{text}\"")
                continue
            quoted = []
            k = n + 1
            if kind == "照合":
                while k < len(guide) and not guide[k].startswith("```"):
                    k += 1
                k += 1
                while k < len(guide) and not guide[k].startswith("```"):
                    if guide[k].strip():
                        quoted.append((k, guide[k]))
                    k += 1
                exact = set(seen)
                for at, q in quoted:
                    checked += 1
                    if q not in exact:
                        failures.append(f"line {at + 1}: \"{q}\" is not a \"{what}\" line the program gave")
            else:
                while k < len(guide) and not guide[k].lstrip().startswith("|"):
                    k += 1
                rows = []
                while k < len(guide) and guide[k].lstrip().startswith("|"):
                    rows.append((k, guide[k]))
                    k += 1
                bare = {re.sub(r"\s+", "", s) for s in seen}
                for at, row in rows[2:]:  # after the header and its rule
                    cells = [c.strip() for c in row.strip().strip("|").split("|")]
                    checked += 1
                    if re.sub(r"\s+", "", ",".join(cells)) not in bare:
                        failures.append(f"line {at + 1}: the row \"{row.strip()}\" is not a \"{what}\" line the program gave")
            if not quoted and kind == "照合":
                failures.append(f"line {n + 1}: no fenced block follows the marker")
    if checked == 0 and not failures:
        failures.append("quotes nothing the program gave (no 照合 markers)")
    for f in failures:
        print(f"docs: {guide_path} {f}", file=sys.stderr)
    if failures:
        return 1
    print(f"docs: {checked} numbers of the guide checked against the program")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("usage: docs/check_numbers.py <guide.md> <driver log>", file=sys.stderr)
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
