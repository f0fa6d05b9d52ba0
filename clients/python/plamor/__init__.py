"""Host side of the Plamor drawing server over the D-Bus session bus (python3-dbus).

    import plamor
    with plamor.Drawing() as d:
        d.put_FileName("/tmp/plan.dxf")
        d.Sen(0, 0, 100, 0, vPen=2)                 # optional arguments as keywords
        batch = d.batch()                          # many elements per message
        for i in range(1000):
            batch.Sen(i, 0, i, 10)
        d.register(batch)
        result = d.output("M_G_L.KVD")             # waits until the run has ended
        print(result.state, result.path, result.message)

Every member of TessaroPlamor._clsPlamor is a method of Drawing under its D-Bus
name (put_FileName, get_Count, Sen, ...), its arguments typed from the server's
introspection data. Failures raise dbus.exceptions.DBusException whose
get_dbus_name() is one of the TessaroPlamor.Error names.

The server is started by the session bus on the first call when its activation
file is installed (or written by `plamor --regserver`). Needs python3-dbus, and
python3-gi for Drawing.output, which waits for the run's RunEnded signal.
"""

import collections
import xml.etree.ElementTree as ElementTree

import dbus
import dbus.mainloop.glib

BUS_NAME = "TessaroPlamor.clsPlamor"
FACTORY_PATH = "/TessaroPlamor/clsPlamor"
FACTORY_INTERFACE = "TessaroPlamor.ClassFactory"
OBJECT_INTERFACE = "TessaroPlamor._clsPlamor"
BULK_INTERFACE = "TessaroPlamor.Bulk"
PROG_ID = "TessaroPlamor.clsPlamor"

# The server takes at most this many calls in one bulk message.
MAX_BATCH_CALLS = 100000

# States of the last output run.
NO_RUN, RUNNING, WRITTEN, CANCELLED, FAILED = range(5)

RunResult = collections.namedtuple("RunResult", "state path message")
RunResult.__doc__ = """How an output run ended: state (NO_RUN, RUNNING, WRITTEN, CANCELLED or FAILED),
path (the full path of the written file) and message (the text of the message
that stopped a failed run)."""
RunResult.state.__doc__ = "NO_RUN, RUNNING, WRITTEN, CANCELLED or FAILED"
RunResult.path.__doc__ = "the full path of the file a WRITTEN run wrote"
RunResult.message.__doc__ = "the text of the message that stopped a FAILED run"

_CALL_TIMEOUT = 600.0  # seconds: a modal prompt may hold a call that long


def session_bus():
    """The session bus with a GLib main loop, so that signals can be waited for."""
    return dbus.SessionBus(mainloop=dbus.mainloop.glib.DBusGMainLoop())


class _Member:
    """A member's D-Bus signature: its required argument types and whether
    optional arguments follow in a dictionary."""

    def __init__(self, element):
        """Reads the signature from the member's <method> element of the introspection data."""
        types = [a.get("type") for a in element.findall("arg") if a.get("direction", "in") == "in"]
        self.options = bool(types) and types[-1] == "a{sv}"
        self.required = types[:-1] if self.options else types
        self.numbers = sum(1 for t in self.required if t != "s")
        self.texts = len(self.required) - self.numbers


class Batch:
    """Calls collected for one or more bulk messages: `batch.Sen(0, 0, 1, 1, vPen=2)`
    records a call; Drawing.register sends them. Consecutive calls of one member
    with the same optional arguments travel as one run."""

    def __init__(self, members):
        """An empty batch for the members of a Drawing (name -> signature); made by Drawing.batch()."""
        self._members = members
        self.runs = []  # [member, count, options]
        self.numbers = []
        self.texts = []

    def add(self, member, *args, **options):
        """Records one call of `member` (a D-Bus name such as "Sen" or "put_pen") with its
        required arguments in order and its optional arguments as keywords. Raises
        AttributeError for a member the drawing does not have and TypeError for the
        wrong number of required arguments."""
        shape = self._members.get(member)
        if shape is None:
            raise AttributeError("_clsPlamor has no member %s" % member)
        if len(args) != len(shape.required):
            raise TypeError("%s takes %d arguments besides the optional ones" % (member, len(shape.required)))
        for kind, value in zip(shape.required, args):
            (self.texts if kind == "s" else self.numbers).append(value)
        if self.runs and self.runs[-1][0] == member and self.runs[-1][2] == options:
            self.runs[-1][1] += 1
        else:
            self.runs.append([member, 1, options])

    def __getattr__(self, member):
        """`batch.Sen` is the recorder of Sen calls: batch.Sen(*args, **options) is
        batch.add("Sen", *args, **options)."""
        if member.startswith("_"):
            raise AttributeError(member)
        return lambda *args, **options: self.add(member, *args, **options)

    def __len__(self):
        """The number of calls recorded."""
        return sum(run[1] for run in self.runs)


class Drawing:
    """One drawing object of the server, released on close() or at the end of a
    `with` block (and by the server when this program's connection closes)."""

    def __init__(self, bus=None, identifier=PROG_ID):
        """Creates the object on the server through its class factory. `bus` is the
        connection to use (default: a new session_bus(); the server ends the object
        when it closes), `identifier` the programmatic or class identifier of the class."""
        self.bus = bus if bus is not None else session_bus()
        factory = self.bus.get_object(BUS_NAME, FACTORY_PATH)
        self.path = str(factory.Create(identifier, dbus_interface=FACTORY_INTERFACE))
        self._factory = factory
        xml = self.bus.get_object(BUS_NAME, self.path, introspect=False).Introspect(
            dbus_interface="org.freedesktop.DBus.Introspectable")
        self._members = {}
        for interface in ElementTree.fromstring(xml).findall("interface"):
            if interface.get("name") == OBJECT_INTERFACE:
                for method in interface.findall("method"):
                    self._members[method.get("name")] = _Member(method)

    def close(self):
        """Releases the object on the server; closing twice does nothing."""
        if self.path:
            self._factory.Release(dbus.ObjectPath(self.path), dbus_interface=FACTORY_INTERFACE)
            self.path = None

    def __enter__(self):
        """The drawing itself, released at the end of the `with` block."""
        return self

    def __exit__(self, *exc):
        """Releases the object (close()), whether the block ended normally or by an exception."""
        self.close()

    def call(self, member, *args, **options):
        """Calls a member by its D-Bus name; keywords are its optional arguments."""
        shape = self._members.get(member)
        if shape is None:
            raise AttributeError("_clsPlamor has no member %s" % member)
        signature = "".join(shape.required)
        if options:
            if not shape.options:
                raise TypeError("%s has no optional arguments" % member)
            signature += "a{sv}"
            args = args + (options,)
        return self.bus.call_blocking(BUS_NAME, self.path, OBJECT_INTERFACE, member, signature, args,
                                      timeout=_CALL_TIMEOUT)

    def __getattr__(self, member):
        """`d.Sen` calls the member Sen: d.Sen(*args, **options) is d.call("Sen", *args, **options)."""
        if member.startswith("_") or member not in self.__dict__.get("_members", {}):
            raise AttributeError(member)
        return lambda *args, **options: self.call(member, *args, **options)

    def batch(self):
        """A new, empty Batch of calls of this drawing's members, to be sent by register()."""
        return Batch(self._members)

    def register(self, batch):
        """Sends a Batch's calls in bulk messages of at most MAX_BATCH_CALLS calls."""
        self.register_runs(batch.runs, batch.numbers, batch.texts)

    def register_runs(self, runs, numbers, texts=()):
        """Sends calls given as runs [(member, count, options)] with the required
        arguments of all calls in `numbers` and `texts`, in bulk messages of at
        most MAX_BATCH_CALLS calls."""
        message_runs, in_message, n0, t0, n, t = [], 0, 0, 0, 0, 0
        for member, count, options in runs:
            shape = self._members.get(member)
            if shape is None:
                raise AttributeError("_clsPlamor has no member %s" % member)
            while count:
                take = min(count, MAX_BATCH_CALLS - in_message)
                message_runs.append((member, dbus.UInt32(take), dbus.Dictionary(options, signature="sv")))
                n += take * shape.numbers
                t += take * shape.texts
                in_message += take
                count -= take
                if in_message == MAX_BATCH_CALLS:
                    self._send(message_runs, numbers[n0:n], texts[t0:t])
                    message_runs, in_message, n0, t0 = [], 0, n, t
        if message_runs or n0 < len(numbers) or t0 < len(texts):
            self._send(message_runs, numbers[n0:], texts[t0:])

    def _send(self, runs, numbers, texts):
        """Sends one bulk message (at most MAX_BATCH_CALLS calls) to TessaroPlamor.Bulk.Register."""
        self.bus.call_blocking(BUS_NAME, self.path, BULK_INTERFACE, "Register", "a(sua{sv})adas",
                               (runs, numbers, texts), timeout=_CALL_TIMEOUT)

    def run_result(self):
        """How the last output run of this object ended, as a RunResult (get_RunResult)."""
        return RunResult(*self.call("get_RunResult"))

    def output(self, mgl_path, timeout=None):
        """Starts the output run (OutPutPlamor with the stroke-font file `mgl_path`) and
        waits until it has ended, at most `timeout` seconds if given; returns its RunResult."""
        from gi.repository import GLib

        loop = GLib.MainLoop()
        ended = []

        def on_ended(state, path, message):
            ended.append(RunResult(int(state), str(path), str(message)))
            loop.quit()

        match = self.bus.add_signal_receiver(on_ended, signal_name="RunEnded", dbus_interface=OBJECT_INTERFACE,
                                             bus_name=BUS_NAME, path=self.path)
        try:
            self.call("OutPutPlamor", mgl_path)

            # A run that ended before the signal was subscribed, or a lost
            # signal, is seen by asking now and then.
            def check():
                result = self.run_result()
                if result.state != RUNNING:
                    ended.append(result)
                    loop.quit()
                return True

            sources = [GLib.timeout_add(500, check)]
            if timeout is not None:
                sources.append(GLib.timeout_add(int(timeout * 1000), lambda: loop.quit() or True))
            if self.run_result().state == RUNNING:
                loop.run()
            for source in sources:
                GLib.source_remove(source)
            return ended[0] if ended else self.run_result()
        finally:
            match.remove()
