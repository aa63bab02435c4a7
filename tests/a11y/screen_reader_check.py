#!/usr/bin/python3
"""Reads the program's windows the way a screen reader does: through the
accessibility bus (AT-SPI), from outside the process.

Usage: screen_reader_check.py PROGRAM WEB_MODULE

Starts its own X server (Xvfb) and session bus, copies the program and its
question view module into a fresh program folder, starts it with the
accessibility bridge switched on, and checks what a listener is told:

- the topics are a list whose chosen topic is selected, also after another
  topic is chosen through the reader;
- each paper row is a group named with its scores;
- the question is a document named after the question, holding its text,
  renamed when the pupil moves on;
- the answer boxes say which question they belong to, and the answered
  count is one text;
- no control that takes the focus lacks a name, and no shown picture lacks
  a name (decoration is left out of the tree);
- with three pupils, the start asks "Who is practising?" in a dialog of that
  name whose list holds the pupils, the one chosen last first and selected;
  its Start button takes that pupil, and the Home page names whose results
  it shows and offers "Change pupil".

Anything that cannot be started (X server, bus, the program) fails the test.
"""

import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import warnings

# Older names of the client library's calls are kept working, with a warning.
warnings.simplefilter("ignore", DeprecationWarning)

STARTUP_TIMEOUT = 120.0
DOCUMENT_TIMEOUT = 180.0
POLL = 0.5


class Failure(Exception):
    pass


def read_line(fd, what, timeout=60.0):
    """One line written by a child process on fd, or Failure."""
    data = b""
    deadline = time.monotonic() + timeout
    while not data.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0:
            raise Failure(f"{what} did not start within {timeout:.0f} s")
        ready, _, _ = select.select([fd], [], [], left)
        if ready:
            chunk = os.read(fd, 256)
            if not chunk:
                raise Failure(f"{what} ended before it started")
            data += chunk
    return data.decode().strip()


def start_with_pipe(args, what, **kwargs):
    """Starts args with a pipe whose number replaces "{fd}"; returns the
    process and the line it writes there."""
    read_end, write_end = os.pipe()
    args = [a.replace("{fd}", str(write_end)) for a in args]
    try:
        process = subprocess.Popen(args, pass_fds=(write_end,), start_new_session=True,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   **kwargs)
    except OSError as error:
        raise Failure(f"cannot start {what}: {error}")
    os.close(write_end)
    try:
        return process, read_line(read_end, what)
    finally:
        os.close(read_end)


def stop(process):
    """Ends a process started here and everything it started itself."""
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=30)
    except (ProcessLookupError, subprocess.TimeoutExpired):
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()


class Reader:
    """The client side of the bus, as a screen reader sees it."""

    def __init__(self):
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        self.Atspi = Atspi
        self.desktop = Atspi.get_desktop(0)

    def fresh(self, node):
        node.clear_cache()
        return node

    def walk(self, node, depth=0):
        """Every node under node (included), read afresh."""
        if depth > 60:
            return
        yield self.fresh(node)
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                yield from self.walk(child, depth + 1)

    def role(self, node):
        return node.get_role_name()

    def has(self, node, state):
        return node.get_state_set().contains(getattr(self.Atspi.StateType, state))

    def text(self, node):
        """The text a node holds (name, else its text interface)."""
        name = node.get_name() or ""
        if name or "Text" not in node.get_interfaces():
            return name
        return self.Atspi.Text.get_text(node, 0, self.Atspi.Text.get_character_count(node))

    def press(self, node, action="Press"):
        Action = self.Atspi.Action
        if "Action" not in node.get_interfaces():
            raise Failure(f"'{node.get_name()}' cannot be pressed by a screen reader")
        names = [Action.get_action_name(node, i) for i in range(Action.get_n_actions(node))]
        if action not in names:
            raise Failure(f"'{node.get_name()}' has no {action} action, only {names}")
        try:
            Action.do_action(node, names.index(action))
        except Exception:
            # The program answers once the press is done; opening a paper can
            # outlast the call's own time limit. The effect is waited for.
            pass

    def application(self, name):
        for i in range(self.fresh(self.desktop).get_child_count()):
            app = self.desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name:
                return app
        return None


def wait_for(what, timeout, probe):
    """Polls probe() until it returns something true; Failure after timeout."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        try:
            found = probe()
        except Exception as error:  # a node that went away while read
            last = error
            found = None
        if found:
            return found
        time.sleep(POLL)
    raise Failure(f"{what} (waited {timeout:.0f} s{'; last error: ' + str(last) if last else ''})")


def find(reader, root, predicate):
    return [node for node in reader.walk(root) if predicate(node)]


def check_no_silent_controls(reader, root, where):
    problems = []
    for node in reader.walk(root):
        if not reader.has(node, "SHOWING"):
            continue
        name = node.get_name() or ""
        role = reader.role(node)
        if reader.has(node, "FOCUSABLE") and not name.strip():
            problems.append(f"unnamed focusable {role}")
        if role == "image" and not name.strip():
            problems.append("unnamed image")
    if problems:
        raise Failure(f"{where}: " + ", ".join(sorted(set(problems))) +
                      f" ({len(problems)} in all)")


def check_home(reader, app):
    window = wait_for("the main window reaches the bus", STARTUP_TIMEOUT,
                      lambda: next(iter(find(reader, app, lambda n: reader.role(n) == "list"
                                             and n.get_name() == "Topics")), None))
    items = [n for n in reader.walk(window) if reader.role(n) == "list item"]
    if len(items) < 2:
        raise Failure(f"the topic list holds {len(items)} items")
    selected = [n.get_name() for n in items if reader.has(n, "SELECTED")]
    if selected != [items[0].get_name()]:
        raise Failure(f"on entering Home the first topic should be selected, not {selected}")
    if not all(reader.has(n, "SELECTABLE") for n in items):
        raise Failure("topics are not selectable")

    # Choosing the third topic the way a screen reader user would.
    third = items[2].get_name()
    reader.press(items[2])

    def third_chosen():
        now = [n for n in reader.walk(window) if reader.role(n) == "list item"]
        chosen = [n.get_name() for n in now if reader.has(n, "SELECTED")]
        return chosen == [third]
    wait_for(f"choosing '{third}' marks it, and it alone, selected", 60, third_chosen)

    groups = [n.get_name() for n in reader.walk(app) if reader.role(n) == "panel"]
    pattern = re.compile(r"^Paper 1, first attempt (not taken|[0-9.]+ %), "
                         r"second attempt (not taken|[0-9.]+ %)$")
    if not any(pattern.match(g or "") for g in groups):
        raise Failure(f"no paper row group named like 'Paper 1, first attempt ...': {groups}")
    check_no_silent_controls(reader, app, "Home page")
    return window


# The family the program starts with: three pupils, Zoë chosen last.
PUPILS = [(1, "Pupil 1"), (2, "Zoë"), (3, "Åsa")]
LAST_CHOSEN = 2


def prepare_pupils(folder):
    import json
    for number, _ in PUPILS:
        os.makedirs(os.path.join(folder, f"pupil{number}"))
    listed = {"pupils": [{"id": n, "name": name} for n, name in PUPILS],
              "removed": [], "last": LAST_CHOSEN, "nextId": len(PUPILS) + 1}
    with open(os.path.join(folder, "pupils.json"), "w", encoding="utf-8") as f:
        json.dump(listed, f, ensure_ascii=False)


def check_picker(reader, app):
    title = "Who is practising?"
    dialog = wait_for(f"a dialog named '{title}' reaches the bus", STARTUP_TIMEOUT,
                      lambda: next(iter(find(reader, app, lambda n: reader.role(n) == "dialog"
                                             and n.get_name() == title)), None))
    lists = [n for n in reader.walk(dialog) if reader.role(n) == "list"]
    if len(lists) != 1:
        raise Failure(f"the picker holds {len(lists)} lists")
    items = [n for n in reader.walk(lists[0]) if reader.role(n) == "list item"]
    names = [reader.text(n) for n in items]
    last = dict(PUPILS)[LAST_CHOSEN]
    expected = [last] + [name for n, name in PUPILS if n != LAST_CHOSEN]
    if names != expected:
        raise Failure(f"the picker reads {names}, not {expected}")
    selected = [reader.text(n) for n in items if reader.has(n, "SELECTED")]
    if selected != [last]:
        raise Failure(f"the pupil chosen last should be selected, not {selected}")
    check_no_silent_controls(reader, dialog, "pupil picker")
    start = next(iter(find(reader, dialog, lambda n: reader.role(n) == "push button")), None)
    if start is None or not (start.get_name() or "").startswith("Start"):
        raise Failure("the picker has no Start button a reader can press")
    reader.press(start)

    def named():
        texts = [reader.text(n) for n in reader.walk(app) if reader.has(n, "SHOWING")]
        return f"Results of {last}" in texts and any(t == "Choose who is practising"
                                                     for t in texts)
    wait_for(f"the Home page says 'Results of {last}' and offers to change pupil", 60, named)


def question_document(reader, app, number):
    """The question document named "Question <number>" holding text."""
    def probe():
        for node in reader.walk(app):
            if reader.role(node) == "document web" and node.get_name() == f"Question {number}":
                words = [reader.text(n) for n in reader.walk(node) if n is not node]
                # A bare sum ("16 − 7 =") is text too.
                if any(re.search(r"[A-Za-z]{3}|\d", w or "") for w in words):
                    return node
        return None
    return wait_for(f"a document named 'Question {number}' holding the question's text",
                    DOCUMENT_TIMEOUT, probe)


def check_practice(reader, app):
    load = next(iter(find(reader, app, lambda n: reader.role(n) == "push button"
                          and n.get_name() == "Load paper 1")), None)
    if load is None:
        raise Failure("no button 'Load paper 1'")
    reader.press(load)
    question_document(reader, app, 1)

    boxes = [n.get_name() for n in reader.walk(app)
             if reader.role(n) == "text" and reader.has(n, "SHOWING")
             and reader.has(n, "FOCUSABLE")]
    if not boxes or not all(re.match(r"^Question 1, answer( \([a-t]\))?$", b) for b in boxes):
        raise Failure(f"answer boxes do not say their question: {boxes}")
    counts = [reader.text(n) for n in reader.walk(app)
              if re.match(r"^\d+ of \d+ answered$", reader.text(n) or "")]
    if len(counts) != 1:
        raise Failure(f"the answered count is not one text: {counts}")
    check_no_silent_controls(reader, app, "practice window")

    forward = next(iter(find(reader, app, lambda n: reader.role(n) == "push button"
                             and n.get_name() == "Next question")), None)
    if forward is None:
        raise Failure("no button 'Next question'")
    reader.press(forward)
    question_document(reader, app, 2)


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    program, module = sys.argv[1], sys.argv[2]
    folder = tempfile.mkdtemp(prefix="quillora-a11y-")
    xvfb = bus = quillora = None
    try:
        shutil.copy2(program, os.path.join(folder, "quillora"))
        shutil.copy2(module, os.path.join(folder, os.path.basename(module)))
        prepare_pupils(folder)

        xvfb, display = start_with_pipe(
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            "the X server (Xvfb)")
        os.environ["DISPLAY"] = ":" + display
        bus, address = start_with_pipe(
            ["dbus-daemon", "--session", "--nofork", "--print-address={fd}"], "the session bus")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address

        reader = Reader()
        # The accessibility bus is started on the session bus's demand; the
        # program finds it there when it starts.
        reader.fresh(reader.desktop).get_child_count()

        env = dict(os.environ)
        env.update(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        # The program itself must let the web engine speak.
        env.pop("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", None)
        quillora = subprocess.Popen([os.path.join(folder, "quillora")], env=env, cwd=folder,
                                    start_new_session=True)

        app = wait_for("the program reaches the accessibility bus", STARTUP_TIMEOUT,
                       lambda: quillora.poll() is None and reader.application("quillora"))
        check_picker(reader, app)
        check_home(reader, app)
        check_practice(reader, app)
        print("screen reader check: passed")
        return 0
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        if quillora is not None and quillora.poll() is not None:
            print(f"(the program ended with {quillora.returncode})", file=sys.stderr)
        return 1
    finally:
        stop(quillora)
        stop(bus)
        stop(xvfb)
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
