#!/usr/bin/env bash
# Checks of what the build installs and packages:
#
#   check.sh tree|desktop|manual|man|package BUILD_DIR SOURCE_DIR
#
# Everything goes into a private temporary folder (HOME and settings too),
# removed at the end. Exit 77 (a skip) only when a checking tool is missing;
# scripts/deps.sh installs them all.
set -euo pipefail

mode=$1
build=$(cd "$2" && pwd)
source=$(cd "$3" && pwd)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/home" "$tmp/config" "$tmp/runtime"
chmod 700 "$tmp/runtime"
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime"
export LANG=C.UTF-8

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

prefix="$tmp/prefix"
install_tree() {
    cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" || {
        cat "$tmp/install.log"
        fail "cmake --install"
    }
}

# What an installed tree holds, relative to its prefix (also the package's
# list, below /usr).
expected_files=(
    bin/mxr77c bin/mxr77c-cli bin/r77c-sim
    share/mxr77c/MXR77C.rcs share/mxr77c/MXR77C.pdf
    share/applications/org.example.mxr77c.desktop
    share/metainfo/org.example.mxr77c.metainfo.xml
    share/mime/packages/mxr77c.xml
    share/icons/hicolor/scalable/apps/mxr77c.svg
    share/icons/hicolor/16x16/apps/mxr77c.png share/icons/hicolor/32x32/apps/mxr77c.png
    share/icons/hicolor/48x48/apps/mxr77c.png share/icons/hicolor/64x64/apps/mxr77c.png
    share/icons/hicolor/128x128/apps/mxr77c.png share/icons/hicolor/256x256/apps/mxr77c.png
    share/man/man1/mxr77c.1.gz share/man/man1/mxr77c-cli.1.gz share/man/man1/r77c-sim.1.gz
    share/bash-completion/completions/mxr77c-cli
    share/doc/mxr77c/copyright share/doc/mxr77c/changelog.Debian.gz
    share/lintian/overrides/mxr77c
)

# Subcommands as the tool's --help names them.
help_subcommands() {
    "$build/bin/mxr77c-cli" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p' | sort -u
}

check_tree() {
    need file
    install_tree
    for f in "${expected_files[@]}"; do
        [ -f "$prefix/$f" ] || fail "the installed tree lacks $f"
    done
    for f in bin/mxr77c bin/mxr77c-cli bin/r77c-sim; do
        [ -x "$prefix/$f" ] || fail "$f is not executable"
    done
    # Nothing but companion files beside the programs' data.
    [ -z "$(ls "$prefix/bin" | grep -v -x -e mxr77c -e mxr77c-cli -e r77c-sim)" ] ||
        fail "unexpected programs in bin/: $(ls "$prefix/bin")"
    for size in 16 32 48 64 128 256; do
        file "$prefix/share/icons/hicolor/${size}x${size}/apps/mxr77c.png" |
            grep -q "PNG image data, $size x $size" || fail "the ${size}px icon is not ${size}x${size}"
    done

    # The installed tool finds its initial image in share/mxr77c.
    "$prefix/bin/mxr77c-cli" new "$tmp/new.rcf" || fail "installed mxr77c-cli new"
    cmp -s <(tail -n +2 "$tmp/new.rcf") <(tail -n +2 "$prefix/share/mxr77c/MXR77C.rcs") ||
        fail "a new document differs from the installed initial image"

    # The installed application starts and stays up on its own (the libraries
    # and plugins it needs are found from there); that it finds its files is
    # checked on a display, where its windows can be seen.
    QT_QPA_PLATFORM=offscreen "$prefix/bin/mxr77c" >"$tmp/app.log" 2>&1 &
    app=$!
    sleep 2
    if ! kill -0 "$app" 2>/dev/null; then
        wait "$app" && status=0 || status=$?
        cat "$tmp/app.log"
        fail "installed mxr77c ended at start with status $status"
    fi
    kill "$app"
    wait "$app" 2>/dev/null || true
    return 0
}

check_desktop() {
    need desktop-file-validate appstreamcli update-mime-database
    install_tree
    desktop-file-validate "$prefix/share/applications/org.example.mxr77c.desktop" ||
        fail "desktop-file-validate"
    grep -qx 'Exec=mxr77c %f' "$prefix/share/applications/org.example.mxr77c.desktop" ||
        fail "the desktop entry does not pass the file to mxr77c"
    appstreamcli validate --no-net "$prefix/share/metainfo/org.example.mxr77c.metainfo.xml" ||
        fail "appstreamcli validate"

    # The MIME database takes our types, and the magic matches the first
    # line of a file the tool writes.
    mkdir -p "$tmp/mime/packages"
    cp "$prefix/share/mime/packages/mxr77c.xml" "$tmp/mime/packages/"
    XDG_DATA_HOME="$tmp" update-mime-database "$tmp/mime" 2>"$tmp/mime.log" || fail "update-mime-database: $(cat "$tmp/mime.log")"
    [ ! -s "$tmp/mime.log" ] || fail "update-mime-database complained: $(cat "$tmp/mime.log")"
    grep -q '^application/x-mxr77c-clone' "$tmp/mime/types" || fail "the clone type is not registered"
    grep -q '^application/x-mxr77c-initial' "$tmp/mime/types" || fail "the initial image type is not registered"
    grep -q 'application/x-mxr77c-clone:\*\.rcf' "$tmp/mime/globs" || fail "no *.rcf glob"
    grep -q 'application/x-mxr77c-initial:\*\.rcs' "$tmp/mime/globs" || fail "no *.rcs glob"
    "$build/bin/mxr77c-cli" new "$tmp/x.rcf"
    magic=$(sed -n 's/.*value="\([^"]*\)".*/\1/p' "$prefix/share/mime/packages/mxr77c.xml")
    [ "$(printf '%b' "$magic")" = "$(head -c "$(printf '%b' "$magic" | wc -c)" "$tmp/x.rcf")" ] ||
        fail "the magic '$magic' does not match the start of a clone image: $(head -1 "$tmp/x.rcf" | od -c | head -2)"
    for t in application/x-mxr77c-clone application/x-mxr77c-initial; do
        grep -q "MimeType=.*$t;" "$prefix/share/applications/org.example.mxr77c.desktop" ||
            fail "the desktop entry does not open $t"
    done

    # Completion offers exactly the subcommands the tool knows.
    completion=$(bash -c '
        source "$1"
        COMP_WORDS=(mxr77c-cli ""); COMP_CWORD=1; _mxr77c_cli
        printf "%s\n" "${COMPREPLY[@]}"' _ "$prefix/share/bash-completion/completions/mxr77c-cli" |
        grep -v -e '^--help$' | sort -u)
    [ "$completion" = "$(help_subcommands)" ] ||
        fail "completion and --help differ: $(diff <(echo "$completion") <(help_subcommands))"
    return 0
}

check_manual() {
    need pdftotext pdfimages pdfinfo
    pdf="$build/bin/MXR77C.pdf"
    [ -f "$pdf" ] || fail "no manual beside the programs"
    pdftotext -enc UTF-8 "$pdf" "$tmp/manual.txt"
    # Every heading of the source is in the PDF, in order.
    grep '^#' "$source/docs/manual/manual.md" | sed 's/^#* //' >"$tmp/headings"
    [ "$(wc -l <"$tmp/headings")" -ge 12 ] || fail "the manual has too few headings"
    while IFS= read -r heading; do
        grep -qF -- "$heading" "$tmp/manual.txt" || fail "the manual lacks the heading '$heading'"
    done <"$tmp/headings"
    # Each screenshot the text names is a picture in the PDF.
    pictures=$(grep -c '^!\[' "$source/docs/manual/manual.md")
    [ "$pictures" -ge 4 ] || fail "the manual names only $pictures pictures"
    images=$(pdfimages -list "$pdf" | awk 'NR > 2 && $3 == "image"' | wc -l)
    [ "$images" -ge "$pictures" ] || fail "the PDF holds $images pictures, the text names $pictures"
    pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
    [ "$pages" -ge 3 ] || fail "the manual has $pages pages"
    # Every message the user may meet is explained under its own words
    # (wherever the layout breaks the lines): each line of each message of
    # the text table, without the parts the program fills in.
    python3 - "$source/text/BuiltinTable.txt" "$tmp/manual.txt" <<'PY' || fail "the manual lacks messages"
import re, sys
table = open(sys.argv[1], encoding="utf-8").read().split("\n")
manual = open(sys.argv[2], encoding="utf-8").read().replace("\n", "")
key, missing, seen = None, [], 0
for line in table:
    if line.startswith("#"):
        key = line[1:]
        continue
    if not key or not key.startswith("GI_Mess_"):
        continue
    text = line.strip()
    text = text[2:] if text.startswith("- ") else text
    for part in re.split(r"'?%[sd]'?", text):
        part = part.strip()
        if part and part != "OK.":
            seen += 1
            if part not in manual:
                missing.append(f"{key}: {part}")
print("\n".join(missing), file=sys.stderr)
sys.exit(1 if missing or seen < 50 else 0)
PY
    echo "manual: $pages pages, $images pictures"
}

check_man() {
    need man
    install_tree
    for page in mxr77c mxr77c-cli r77c-sim; do
        MANWIDTH=100 man -l "$prefix/share/man/man1/$page.1.gz" >"$tmp/$page.txt" 2>"$tmp/man.err" ||
            fail "man -l $page: $(cat "$tmp/man.err")"
        [ ! -s "$tmp/man.err" ] || fail "man -l $page warned: $(cat "$tmp/man.err")"
        grep -q "^NAME" "$tmp/$page.txt" || fail "$page's man page has no NAME"
    done
    # The tool's page says what its --help says, line for line.
    "$build/bin/mxr77c-cli" --help | sed 's/[[:space:]]*$//; /^$/d' >"$tmp/help.txt"
    while IFS= read -r line; do
        grep -qF -- "$line" "$tmp/mxr77c-cli.txt" || fail "the man page lacks the help line '$line'"
    done <"$tmp/help.txt"
    "$build/bin/r77c-sim" --help | sed 's/[[:space:]]*$//; /^$/d' >"$tmp/sim-help.txt"
    while IFS= read -r line; do
        grep -qF -- "$line" "$tmp/r77c-sim.txt" || fail "r77c-sim's man page lacks '$line'"
    done <"$tmp/sim-help.txt"
    return 0
}

check_package() {
    need cpack dpkg-deb dpkg-shlibdeps lintian file
    (cd "$tmp" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1) || {
        cat "$tmp/cpack.log"
        fail "cpack -G DEB"
    }
    deb=$(ls "$tmp"/pkg/mxr77c_*.deb)
    dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$tmp/list"
    for f in "${expected_files[@]}"; do
        grep -qx "usr/$f" "$tmp/list" || fail "the package lacks /usr/$f"
    done
    dpkg-deb -c "$deb" | awk '$2 != "root/root" {print; bad=1} END {exit bad}' ||
        fail "files not owned by root"
    depends=$(dpkg-deb -f "$deb" Depends)
    for lib in libqt6widgets6 libqt6svg6 libc6 libstdc++6; do
        [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
    done
    [ "$(dpkg-deb -f "$deb" Recommends)" = "fonts-ipafont-gothic" ] || fail "Recommends"
    mkdir "$tmp/x"
    dpkg-deb -x "$deb" "$tmp/x"
    file "$tmp/x/usr/bin/mxr77c" | grep -q ', stripped' || fail "mxr77c is not stripped"
    # Debian's own checks: neither errors nor warnings.
    lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian: $(lintian "$deb" 2>&1)"
    echo "package: $(basename "$deb"), $(wc -l <"$tmp/list") entries"
}

case $mode in
    tree) check_tree ;;
    desktop) check_desktop ;;
    manual) check_manual ;;
    man) check_man ;;
    package) check_package ;;
    *) fail "unknown mode $mode" ;;
esac
echo "ok: $mode"
