#!/bin/bash
# A CUPS scheduler of the test run's own, with one cups-pdf queue "PDF" as its default printer.
#   cups-env.sh setup DIR    configuration, spool, cache and logs under DIR; cupsd listening on
#                            DIR/cups.sock and a free local port; PDFs land in DIR/pdf
#   cups-env.sh cleanup DIR  stop that cupsd (only the one whose pid DIR/cupsd.pid holds)
# Clients reach it with CUPS_SERVER=DIR/cups.sock; the machine's own cupsd is never touched.
#
# cups-pdf reads its settings from a fixed path (/etc/cups/cups-pdf.conf), so the scheduler runs in
# a mount namespace of its own in which this run's cups-pdf.conf is bound over that file.
set -e
action=$1
[ -n "$2" ] || { echo "usage: $0 setup|cleanup DIR" >&2; exit 2; }
dir=$(mkdir -p "$2" && cd "$2" && pwd)
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:$PATH
export CUPS_SERVER=$dir/cups.sock
export LC_ALL=C

running() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }

stop() {
    [ -f "$dir/cupsd.pid" ] || return 0
    local pid
    pid=$(cat "$dir/cupsd.pid")
    # The pid is that of our own unshare'd scheduler: its command line names this folder.
    if [ -r "/proc/$pid/cmdline" ] && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -qF "$dir/"; then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$dir/cupsd.pid" "$dir/cups.sock"
}

free_port() {
    local port
    for port in $(shuf -i 20000-60000 -n 40); do
        ss -Htln "sport = :$port" 2>/dev/null | grep -q . || { echo "$port"; return 0; }
    done
    return 1
}

write_configuration() {
    local port=$1
    rm -rf "$dir/etc" "$dir/spool" "$dir/cache" "$dir/state" "$dir/log" "$dir/pdf"
    mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/pdf"
    chmod 1777 "$dir/spool/tmp" "$dir/pdf"
    cat >"$dir/etc/cupsd.conf" <<EOF
Listen $dir/cups.sock
Listen 127.0.0.1:$port
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
LogLevel info
MaxLogSize 0
JobRetryLimit 0
PreserveJobHistory No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$dir/etc/cups-files.conf" <<EOF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
FatalErrors config
SystemGroup root
Sandboxing Relaxed
Printcap $dir/state/printcap
EOF
    cat >"$dir/cups-pdf.conf" <<EOF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/spool/cups-pdf
Log $dir/log
Grp root
DecodeHexStrings 1
EOF
    echo "$port" >"$dir/port"
}

start() {
    command -v cupsd >/dev/null || { echo "no cupsd on this machine (package cups)" >&2; exit 3; }
    [ -x /usr/lib/cups/backend/cups-pdf ] ||
        { echo "no cups-pdf backend (package printer-driver-cups-pdf)" >&2; exit 3; }
    [ -f /etc/cups/cups-pdf.conf ] || { echo "no /etc/cups/cups-pdf.conf to stand in for" >&2; exit 3; }
    local port
    port=$(free_port) || { echo "no free local port for cupsd" >&2; exit 3; }
    write_configuration "$port"
    setsid unshare --mount --propagation private sh -c \
        'mount --bind "$1/cups-pdf.conf" /etc/cups/cups-pdf.conf &&
         exec cupsd -f -c "$1/etc/cupsd.conf" -s "$1/etc/cups-files.conf"' \
        cupsd-of "$dir" >"$dir/log/cupsd.out" 2>&1 </dev/null &
    echo $! >"$dir/cupsd.pid"
    for _ in $(seq 1 100); do running && break; sleep 0.1; done
    running || { echo "the private cupsd did not come up:" >&2; cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null; stop; exit 3; }
    lpadmin -p PDF -v cups-pdf:/ -E -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ||
        { echo "the PDF queue cannot be added" >&2; stop; exit 4; }
    lpadmin -d PDF || { echo "the PDF queue cannot be made the default" >&2; stop; exit 4; }
    echo "cupsd of this run: $CUPS_SERVER and 127.0.0.1:$port, PDFs in $dir/pdf"
}

case "$action" in
setup)
    stop
    start
    ;;
cleanup)
    stop
    ;;
*)
    echo "usage: $0 setup|cleanup DIR" >&2
    exit 2
    ;;
esac
