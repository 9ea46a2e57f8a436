"""Reads and edits Kel's text through AT-SPI, as a screen reader does.

Run by run-atspi inside a private X server and session bus:
    atspi_read_edit.py PATH/TO/Kel WORK_FOLDER
Opens a UTF-8 file with accents in Kel, reads the text, moves the caret, types and deletes a
character, overwrites one, and checks the text and the events a reader receives for each step,
reads the status bar's panels as a reader does (by name, and as text) with the announcement of
the caret's new place, and reads a menu item's description. Every wait is bounded; a failure
says what was expected and what came.
"""

import os
import subprocess
import sys
import time

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
TEXT = "Première ligne, été\nçà et là: où?\n"


class Failure(Exception):
    pass


def wait_for(what, probe, seconds, pump=None):
    """Calls probe until it returns a true value; fails after `seconds`."""
    deadline = time.monotonic() + seconds
    while True:
        if pump:
            pump()
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out after %gs waiting for %s" % (seconds, what))
        time.sleep(0.05)


def bus_ready():
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.a11y.Bus.GetAddress"], capture_output=True, text=True)
    return reply.returncode == 0 and "unix:" in reply.stdout


def main(kel, work):
    launcher = subprocess.Popen([LAUNCHER, "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    app_process = None
    try:
        wait_for("the accessibility bus", bus_ready, 20)
        import pyatspi  # connects to the accessibility bus: only once it is there
        from gi.repository import GLib

        context = GLib.MainContext.default()

        def pump():
            while context.iteration(False):
                pass

        events = []

        def on_event(event):
            events.append((event.type, event.detail1, event.detail2, event.any_data))

        pyatspi.Registry.registerEventListener(
            on_event, "object:text-caret-moved", "object:text-changed:insert",
            "object:text-changed:delete")

        status_events = []  # (event type, what it carries) from the panels of a status bar

        def on_status_event(event):
            try:
                parent = event.source.parent
                if parent is not None and parent.getRoleName() == "status bar":
                    # A name change carries the object with its new name.
                    said = event.any_data if isinstance(event.any_data, str) else event.source.name
                    status_events.append((event.type, said))
            except Exception:  # an object gone meanwhile
                pass

        pyatspi.Registry.registerEventListener(
            on_status_event, "object:text-changed:insert", "object:property-change:accessible-name")

        path = os.path.join(work, "accents.txt")
        with open(path, "w", encoding="utf-8", newline="\n") as f:
            f.write(TEXT)
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        app_process = subprocess.Popen([kel, path], env=env, stdout=subprocess.DEVNULL,
                                       stderr=open(os.path.join(work, "kel.log"), "w"))

        seen = set()

        def find_app():
            if app_process.poll() is not None:
                raise Failure("Kel exited with %d before it was found" % app_process.returncode)
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is None:
                    continue
                seen.add(app.name)
                if app.name == "Quilmo":  # the application name Kel gives itself
                    return app
            return None

        try:
            app = wait_for("Kel on the accessibility bus", find_app, 30, pump)
        except Failure as failure:
            raise Failure("%s (applications seen: %s)" % (failure, sorted(seen) or "none"))

        def is_editor(node):
            try:
                states = node.getState()
                return (states.contains(pyatspi.STATE_EDITABLE) and
                        states.contains(pyatspi.STATE_MULTI_LINE) and node.queryText() is not None)
            except NotImplementedError:
                return False

        def find_editor():
            return pyatspi.utils.findDescendant(app, is_editor, breadth_first=True)

        editor = wait_for("the editable text of the document", find_editor, 20, pump)
        text = editor.queryText()
        expected = TEXT  # one "\n" per paragraph break, the empty last paragraph included
        read = wait_for("the file's text", lambda: text.getText(0, -1) == expected and expected, 20, pump)
        check(text.characterCount == len(expected), "characterCount %d, expected %d"
              % (text.characterCount, len(expected)))
        check("Première" in editor.name or "accents.txt" in editor.name,
              "the editor's name %r does not name the document" % editor.name)
        word = text.getTextAtOffset(len("Première ligne, "), pyatspi.TEXT_BOUNDARY_WORD_START)
        check(word[0].startswith("été"), "the word at 'été' reads %r" % (word,))
        line = text.getTextAtOffset(len(expected.split("\n")[0]) + 3, pyatspi.TEXT_BOUNDARY_LINE_START)
        check(line[0].rstrip("\n") == "çà et là: où?", "the second line reads %r" % (line,))
        del read

        # Without a window manager the window is activated by a click into it.
        component = editor.queryComponent()
        box = component.getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")
        component.grabFocus()
        wait_for("the editor to take the focus",
                 lambda: editor.getState().contains(pyatspi.STATE_FOCUSED), 10, pump)

        # The status bar read as Orca reads it: each panel by its name (a label's name is what
        # Orca speaks), the same as its text, with what it is as its description.
        def is_status_bar(node):
            return node.getRoleName() == "status bar"

        bar = wait_for("the status bar", lambda: pyatspi.utils.findDescendant(app, is_status_bar), 20, pump)

        def readings():
            panels = [bar.getChildAtIndex(i) for i in range(bar.childCount)]
            return [(p.name, p.queryText().getText(0, -1), p.description) for p in panels]

        check(bar.childCount == 8, "the status bar has %d panels" % bar.childCount)

        def place(offset):  # "line:column" of a text offset, as the first panel shows it
            before = text.getText(0, offset)
            return "%d:%d" % (before.count("\n") + 1, len(before) - (before.rfind("\n") + 1) + 1)

        try:
            wait_for("the caret's place in the status bar",
                     lambda: readings()[0][0] == place(text.caretOffset), 10, pump)
        except Failure as failure:
            raise Failure("%s (the caret at %s, the panels read %r)"
                          % (failure, place(text.caretOffset), readings()))
        read = readings()
        for name, shown, description in read:
            check(name == shown, "a panel named %r reads %r as text" % (name, shown))
        check(read[0][2] == "Position du curseur", "the first panel is described as %r" % read[0][2])
        check(read[1][0] == "Total: 3", "the line count reads %r" % read[1][0])
        check(read[2][0].startswith("Octets: "), "the byte count reads %r" % read[2][0])
        check(read[3][0] == "Insertion", "the mode reads %r" % read[3][0])
        check(read[4][0] == "Non modifié", "the modified panel reads %r" % read[4][0])

        # The caret placed by the reader, then moved by a key.
        events.clear()
        status_events.clear()
        check(text.setCaretOffset(7), "setCaretOffset(7) refused")
        wait_for("a caret event at 7", lambda: ("object:text-caret-moved", 7) in
                 [(e[0], e[1]) for e in events], 10, pump)
        # The status bar announces the new place as its text and its name change.
        wait_for("the status bar's announcement of 1:8",
                 lambda: ("object:text-changed:insert", "1:8") in status_events and
                 ("object:property-change:accessible-name", "1:8") in status_events, 10, pump)
        check(readings()[0][0] == "1:8", "the caret's place reads %r" % readings()[0][0])
        check(text.caretOffset == 7, "caret at %d after setCaretOffset(7)" % text.caretOffset)
        events.clear()
        pyatspi.Registry.generateKeyboardEvent(0xff53, None, pyatspi.KEY_SYM)  # Right
        wait_for("a caret event at 8 after Right", lambda: ("object:text-caret-moved", 8) in
                 [(e[0], e[1]) for e in events], 10, pump)

        # A typed character arrives as an insert event with its text, Backspace as a delete.
        events.clear()
        pyatspi.Registry.generateKeyboardEvent(0, "x", pyatspi.KEY_STRING)
        wait_for("an insert of 'x' at 8", lambda: ("object:text-changed:insert", 8, 1, "x") in events,
                 10, pump)
        check(text.getText(0, -1) == expected[:8] + "x" + expected[8:],
              "text after typing: %r" % text.getText(0, -1))
        events.clear()
        pyatspi.Registry.generateKeyboardEvent(0xff08, None, pyatspi.KEY_SYM)  # BackSpace
        wait_for("a delete of 'x' at 8", lambda: ("object:text-changed:delete", 8, 1, "x") in events,
                 10, pump)
        check(text.setCaretOffset(6), "setCaretOffset(6) refused")
        events.clear()
        pyatspi.Registry.generateKeyboardEvent(0xff08, None, pyatspi.KEY_SYM)  # the accented "è"
        wait_for("a delete of 'è' at 5", lambda: ("object:text-changed:delete", 5, 1, "è") in events,
                 10, pump)
        check(text.getText(0, -1) == expected[:5] + expected[6:],
              "text after two deletions: %r" % text.getText(0, -1))

        # The reader edits through the editable text interface.
        events.clear()
        check(editor.queryEditableText().insertText(0, "À ", 2), "insertText refused")
        wait_for("an insert of 'À ' at 0",
                 lambda: ("object:text-changed:insert", 0, 2, "À ") in events, 10, pump)
        edited = "À " + expected[:5] + expected[6:]
        wait_for("the text after insertText", lambda: text.getText(0, -1) == edited, 10, pump)

        # Overwriting replaces a character: the reader is told what went and what came.
        check(text.setCaretOffset(0), "setCaretOffset(0) refused")
        pyatspi.Registry.generateKeyboardEvent(0xff63, None, pyatspi.KEY_SYM)  # Insert: overwrite
        events.clear()
        pyatspi.Registry.generateKeyboardEvent(0, "Z", pyatspi.KEY_STRING)
        wait_for("a delete of 'À' and an insert of 'Z' at 0",
                 lambda: ("object:text-changed:delete", 0, 1, "À") in events and
                 ("object:text-changed:insert", 0, 1, "Z") in events, 10, pump)
        check(text.getText(0, -1) == "Z" + edited[1:], "text after overwriting: %r" % text.getText(0, -1))
        wait_for("the mode 'Surfrappe' and 'Modifié' in the status bar",
                 lambda: readings()[3][0] == "Surfrappe" and readings()[4][0] == "Modifié", 10, pump)

        # A menu item reads its hint as its description.
        def is_save_as(node):
            return node.getRoleName() == "menu item" and node.name == "Enregistrer sous..."
        item = pyatspi.utils.findDescendant(app, is_save_as, breadth_first=True)
        check(item is not None, "no menu item 'Enregistrer sous...'")
        check(item.description == "Enregistrer le document sous un nouveau nom",
              "the description of 'Enregistrer sous...' is %r" % item.description)
        print("atspi_read_edit: Kel read, caret moved, typed, overwrote and deleted through AT-SPI;"
              " the status bar read and announced the caret's place; a menu item read its description")
    finally:
        if app_process is not None:
            app_process.kill()
            app_process.wait(10)
        launcher.terminate()
        try:
            launcher.wait(10)
        except subprocess.TimeoutExpired:
            launcher.kill()


def check(condition, message):
    if not condition:
        raise Failure(message)


if __name__ == "__main__":
    try:
        main(sys.argv[1], sys.argv[2])
    except Failure as failure:
        print("atspi_read_edit: FAILED: %s" % failure, file=sys.stderr)
        log = os.path.join(sys.argv[2], "kel.log")
        if os.path.exists(log):
            sys.stderr.write(open(log).read()[-4000:])
        sys.exit(1)
