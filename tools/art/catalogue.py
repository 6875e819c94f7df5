"""Every file the generator writes, by name, with the function that makes its bytes."""

import apply_desk
import desk
import diskettes
import donate_button
import door
import folder
import hand_cursor
import info_sign
from icofile import icon_file


def artworks():
    """(file name, maker) pairs in the order they are written and shown."""
    return [
        ("icotrace.ico", lambda: icon_file(desk.icon_frames())),
        ("save.ico", lambda: icon_file(diskettes.icon_frames())),
        ("open.ico", lambda: icon_file(folder.icon_frames())),
        ("apply.ico", lambda: icon_file(apply_desk.icon_frames())),
        ("about.ico", lambda: icon_file(info_sign.icon_frames())),
        ("quit.ico", lambda: icon_file(door.icon_frames())),
        ("link.cur", hand_cursor.cursor_bytes),
        ("donate.gif", donate_button.gif_bytes),
    ]
