#!/usr/bin/env python3
# A file manager's part of a drag, for the Windows tests under Wine: a window at
# (X, Y) that drags the given files as a text/uri-list when pressed.
import sys
import gi
gi.require_version("Gdk", "3.0")
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gio, Gtk

x, y, paths = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]
uris = [Gio.File.new_for_path(path).get_uri() for path in paths]
window = Gtk.Window(title="Drag source")
window.set_default_size(120, 60)
window.move(x, y)
button = Gtk.Button(label="files")
window.add(button)
button.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
button.drag_source_add_uri_targets()
button.connect("drag-data-get", lambda widget, context, data, info, time: data.set_uris(uris))
button.connect("drag-end", lambda *args: Gtk.main_quit())
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
