#!/usr/bin/python3
"""Opens documents in LibreOffice through its UNO bridge, lets it update every index itself and
prints, for each document, one JSON line: whether it opened, its page count after the update,
and the text of each index (LibreOffice's own entries and page numbers).

usage: office_indexes.py PROFILE_FOLDER FILE.docx...

LibreOffice runs headless with the profile folder given, so that it never touches or waits for
a user's own. Run it with Debian's /usr/bin/python3, whose uno module matches the office."""

import json
import os
import subprocess
import sys
import time

import uno
from com.sun.star.beans import PropertyValue


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


def connect(profile):
    """Starts the office and returns (process, desktop); exits with 1 when it does not answer."""
    pipe = "vlx-office-%d" % os.getpid()
    office = subprocess.Popen(
        ["soffice", "-env:UserInstallation=" + uno.systemPathToFileUrl(os.path.abspath(profile)),
         "--headless", "--invisible", "--norestore", "--nologo", "--accept=pipe,name=%s;urp;" % pipe],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    deadline = time.monotonic() + 180
    while True:
        try:
            ctx = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
            return office, ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
        except Exception:
            if office.poll() is not None or time.monotonic() > deadline:
                office.kill()
                sys.exit("office_indexes: LibreOffice did not start")
            time.sleep(0.2)


def report(desktop, path):
    url = uno.systemPathToFileUrl(os.path.abspath(path))
    out = {"file": path, "opened": False, "pages": 0, "indexes": []}
    try:
        doc = desktop.loadComponentFromURL(url, "_blank", 0, (prop("Hidden", True),))
    except Exception as e:  # an unreadable file is LibreOffice's answer, not this script's failure
        out["error"] = str(e)
        return out
    if doc is None:
        out["error"] = "LibreOffice returned no document"
        return out
    try:
        out["opened"] = True
        indexes = doc.getDocumentIndexes()
        for i in range(indexes.getCount()):
            index = indexes.getByIndex(i)
            index.update()
            out["indexes"].append(index.getAnchor().getString())
        doc.refresh()
        out["pages"] = doc.getCurrentController().PageCount
    finally:
        doc.close(True)
    return out


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    office, desktop = connect(sys.argv[1])
    try:
        for path in sys.argv[2:]:
            print(json.dumps(report(desktop, path)), flush=True)
    finally:
        try:
            desktop.terminate()
        except Exception:  # the bridge goes down with the office: nothing left to tell
            pass
        try:
            office.wait(timeout=60)
        except subprocess.TimeoutExpired:
            office.kill()


if __name__ == "__main__":
    main()
