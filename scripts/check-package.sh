#!/usr/bin/env bash
# Checks the Debian package that `make package` made: what it holds, lintian, and, in a
# throwaway copy of this system from which the build packages are removed, an install with apt,
# the installed files read with a desktop's own validators, bash's completion of every command,
# a start from its desktop entry's Exec line and a removal with apt. Run as root (CI).
set -euo pipefail
id=org.ketterby.ketterby
self=$(realpath "$0")

# Inside: runs in its own mount namespace, so every mount goes when it ends.
if [ "${1:-}" = --inside ]; then
    root=$2
    mkdir "$root"/{upper,work,system}
    # Writes land in upper; this system stays as it was.
    mount -t overlay overlay -o "lowerdir=/,upperdir=$root/upper,workdir=$root/work" \
        "$root/system"
    mount -t proc proc "$root/system/proc"
    mount --rbind /dev "$root/system/dev"
    cp "$3" "$root/system/tmp/package.deb"
    build=$(bash "$(dirname "$self")/install-deps.sh" --list)
    exec chroot "$root/system" env DEBIAN_FRONTEND=noninteractive id=$id build="$build" \
        bash -euo pipefail -c '
        # A desktop without the build packages (the libraries they pulled in stay, as other
        # programs would keep them): apt installs the package with what it depends on.
        apt-get remove -y -q $build >/dev/null
        apt-get install -y -q /tmp/package.deb
        # What it installed, read with a desktop'"'"'s own tools: every manual page renders
        # without a warning, the entry, its icon and the metainfo'"'"'s launchable name one ID,
        # and no placeholder is left.
        cd /usr/share
        for page in $(dpkg -L ketterby | grep "^/usr/share/man/man1/"); do
            warnings=$(zcat "$page" | groff -man -ww -z 2>&1)
            [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
        done
        grep -qx "Icon=$id" applications/$id.desktop
        grep -q ">$id.desktop</launchable>" metainfo/$id.metainfo.xml
        if grep "@[A-Z_]*@" ketterby/help.htm metainfo/$id.metainfo.xml; then exit 1; fi
        # bash completes every command the program lists.
        source bash-completion/completions/ketterby-cli
        for command in $(ketterby-cli --help | sed -n "s/^  \([a-z]\+\) .*/\1/p"); do
            COMP_WORDS=(ketterby-cli "$command") COMP_CWORD=1
            _ketterby_cli
            printf "%s\n" "${COMPREPLY[@]}" | grep -qx "$command" ||
                { echo "the bash completion lacks $command"; exit 1; }
        done
        desktop-file-validate applications/$id.desktop
        appstreamcli validate --pedantic --no-net metainfo/$id.metainfo.xml
        appstream-util validate --nonet metainfo/$id.metainfo.xml
        program=$(sed -n "s/^Exec=\([^ ]*\).*/\1/p" /usr/share/applications/$id.desktop)
        [ "$(command -v "$program")" = /usr/bin/ketterby ] ||
            { echo "the desktop entry starts $program, not /usr/bin/ketterby"; exit 1; }
        # Still running after five seconds: started, and waiting at its account dialog.
        status=0
        XDG_RUNTIME_DIR=$(mktemp -d) QT_QPA_PLATFORM=offscreen timeout 5 "$program" || status=$?
        [ $status -eq 124 ] || { echo "$program ended with status $status"; exit 1; }
        apt-get remove -y -q ketterby
        left=$(dpkg-deb -c /tmp/package.deb | awk "!/^d/ {print substr(\$6, 2)}" |
               while read -r file; do [ ! -e "$file" ] || echo "$file"; done)
        [ -z "$left" ] || { echo "left after removal: $left"; exit 1; }'
fi

cd "$(dirname "$self")/../build/default"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' CMakeCache.txt)
deb=$PWD/ketterby_${version}_$(dpkg --print-architecture).deb
contents=$(dpkg-deb -c "$deb" | awk '!/^d/ {print substr($6, 2)}')
echo "$contents"
expected=(/usr/share/applications/$id.desktop /usr/share/metainfo/$id.metainfo.xml
          /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/doc/ketterby/copyright
          /usr/share/doc/ketterby/changelog.gz /usr/share/ketterby/help.htm /usr/bin/ketterby
          /usr/share/bash-completion/completions/ketterby-cli)
for size in 16 32 64 128; do
    expected+=(/usr/share/icons/hicolor/${size}x$size/apps/$id.png)
done
for program in $(grep '^/usr/bin/' <<<"$contents"); do
    expected+=(/usr/share/man/man1/${program#/usr/bin/}.1.gz)
done
for file in "${expected[@]}"; do
    grep -qx "$file" <<<"$contents" || { echo "$deb lacks $file"; exit 1; }
done
lintian --fail-on error --display-info --tag-display-limit 0 "$deb"

root=$(mktemp -d)
trap 'rm -rf --one-file-system "$root"' EXIT
unshare --mount --propagation private bash "$self" --inside "$root" "$deb"
echo "$deb: installed, started from its desktop entry and removed"
