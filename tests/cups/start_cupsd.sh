#!/bin/sh
# Starts a private CUPS scheduler for the tests: its configuration, spool, logs and socket all live
# in DIR, it listens only on DIR/cups.sock, and clients reach it through CUPS_SERVER=DIR/cups.sock.
#
#   start_cupsd.sh DIR pdf-queue   a cups-pdf queue that is the default, writing into DIR/out
#   start_cupsd.sh DIR no-queue    a scheduler with no printer at all
#
# The scheduler's pid is written to DIR/cupsd.pid; stop_cupsd.sh DIR undoes everything.
set -eu

dir=$1
mode=$2
queue=cratefall_pdf
# cups-pdf reads /etc/cups/cups-pdf-INSTANCE.conf for a cups-pdf:/INSTANCE queue. A file of our
# own sends this run's certificates to DIR/out, apart from the user's ~/PDF and other runs.
instance=$(basename "$dir" | tr -c 'A-Za-z0-9\n' '_')

mkdir -p "$dir/etc/ppd" "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/log" "$dir/out" \
    "$dir/pdf-spool" "$dir/home"
# Filters run as lp and must reach the spooled files and the queue's PPD.
chmod 0755 "$dir" "$dir/etc" "$dir/spool"
chmod 0777 "$dir/pdf-spool"

cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
SystemGroup root
FileDevice No
Printcap $dir/printcap
CONF

cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel info
MaxLogSize 0
WebInterface No
Browsing No
BrowseLocalProtocols none
DefaultShared No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF

cat >"/etc/cups/cups-pdf-$instance.conf" <<CONF
Out $dir/out
AnonDirName $dir/out
Spool $dir/pdf-spool
Log $dir/log
LogType 3
Grp root
CONF
echo "$instance" >"$dir/cups-pdf.instance"

/usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
    >"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"

CUPS_SERVER=$dir/cups.sock
HOME=$dir/home
export CUPS_SERVER HOME
tries=0
until [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
        echo "private cupsd did not start; its log:" >&2
        cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
        exit 1
    fi
    sleep 0.1
done

if [ "$mode" = pdf-queue ]; then
    # With its default renderer the filter chain turns text into glyph outlines; pdftocairo keeps
    # the certificate's words as text.
    lpadmin -p "$queue" -v "cups-pdf:/$instance" -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd \
        -o pdftops-renderer-default=pdftocairo
    lpadmin -d "$queue"
    echo "$queue" >"$dir/queue"
fi
