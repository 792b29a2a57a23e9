"""Wording and layout of the help page."""

CSS = """
:root { --ink:#1d1917; --paper:#f7f3ec; --card:#fffdf9; --line:#e2d8c8; --brass:#a67c3d;
        --red:#8e1c20; --muted:#6b6158; }
* { box-sizing: border-box; }
body { margin:0; background:var(--paper); color:var(--ink);
       font: 16px/1.55 "EB Garamond", Georgia, "Times New Roman", serif; }
header { background:#1d1917; color:#f0e4cc; padding:28px 0 24px; border-bottom:3px solid var(--brass); }
header .wrap { display:flex; align-items:center; }
header img { margin-right:20px; flex:none; }
header h1 { margin:0; font-weight:normal; font-size:42px; letter-spacing:.5px; color:#e9c98c; }
header p { margin:2px 0 0; font-style:italic; color:#d8cbb4; }
nav { background:#2a2421; }
nav .wrap { padding-top:8px; padding-bottom:8px; }
nav a { display:inline-block; margin:2px 14px 2px 0; color:#e9c98c; text-decoration:none; font: 12px/1.4 "DejaVu Sans", Verdana, sans-serif;
        letter-spacing:.06em; text-transform:uppercase; }
nav a:hover { color:#fff; }
.wrap { max-width:880px; margin:0 auto; padding:0 24px; }
main { padding:8px 0 40px; }
h2 { font-weight:normal; font-size:28px; color:var(--red); margin:36px 0 10px;
     border-bottom:1px solid var(--line); padding-bottom:4px; }
h3 { font: bold 13px/1.4 "DejaVu Sans", Verdana, sans-serif; letter-spacing:.08em; text-transform:uppercase;
     color:var(--brass); margin:24px 0 8px; }
h4, h5 { font: bold 14px/1.4 "DejaVu Sans", Verdana, sans-serif; margin:18px 0 6px; }
table.tools { width:100%; border-collapse:collapse; background:var(--card); border:1px solid var(--line);
              border-radius:6px; overflow:hidden; }
table.tools td { padding:8px 12px; border-top:1px solid var(--line); vertical-align:middle; }
table.tools tr:first-child td { border-top:none; }
table.tools td.pic { width:96px; text-align:center; background:#26211e; }
table.tools td.pic img { display:block; margin:0 auto; }
table.tools td.name { width:170px; font-weight:bold; }
kbd { font: 13px "DejaVu Sans Mono", monospace; background:#fff; border:1px solid #cbbfae;
      border-bottom-width:2px; border-radius:4px; padding:1px 6px; }
code { font: 14px "DejaVu Sans Mono", monospace; background:#efe7da; padding:0 4px; border-radius:3px; }
figure { margin:16px 0; }
figure img { max-width:100%; border:1px solid #3b332d; border-radius:4px; }
figcaption { color:var(--muted); font-style:italic; font-size:15px; }
ol.steps li { margin:4px 0; }
.note { background:#fbf1e2; border-left:3px solid var(--brass); padding:8px 14px; border-radius:0 6px 6px 0; }
.credits { background:var(--card); border:1px solid var(--line); border-radius:6px; padding:4px 20px 14px; }
footer { color:var(--muted); font-size:14px; text-align:center; padding:20px; border-top:1px solid var(--line); }
"""


def tool_rows(rows):
    out = ['<table class="tools">']
    for image, name, text in rows:
        out.append('<tr><td class="pic"><img src="images/%s" alt=""></td><td class="name">%s</td><td>%s</td></tr>'
                   % (image, name, text))
    out.append("</table>")
    return "\n".join(out)


PHOTO_TOOLS = [
    ("butt_rotate_r.png", "Turn photo", "Turns the photo a quarter turn clockwise. The tattoos turn with it and keep their places on the skin."),
    ("butt_zoom_f.png", "Zoom photo", "Drag down on the canvas to zoom in, up to zoom out (up to 300&nbsp;%). Zooming out stops where the whole photo fits."),
    ("butt_move.png", "Move photo", "Drag on the canvas to scroll a zoomed photo."),
]

TATTOO_TOOLS = [
    ("butt_rot.png", "Rotate", "Drag around a tattoo to turn it about its centre."),
    ("butt_flip_v.png", "Mirror left-right", "Click a tattoo to mirror it from left to right."),
    ("butt_mov.png", "Move", "Drag a tattoo to move it. Near the canvas edge a zoomed photo scrolls along."),
    ("butt_zoom.png", "Resize", "Drag right to widen a tattoo, left to narrow it, up to make it taller and down to make it shorter."),
    ("butt_wtap.png", "Blend", "Drag down to fade a tattoo into the skin, up to make it stronger again."),
    ("butt_flip_h.png", "Mirror upside down", "Click a tattoo to mirror it from top to bottom."),
    ("butt_mov_p.png", "Bend", "Each corner of the tattoo shows a handle: drag a handle to bend the design to the shape of the body."),
    ("butt_del.png", "Delete", "Click a tattoo to remove it. There is no undo."),
]

DRAW_TOOLS = [
    ("butt_paint.png", "Brush", "Paint on the photo and the tattoos with a soft round brush in the chosen colour. Paint builds up where you go over it again."),
    ("butt_clear.png", "Eraser", "Rub out paint. <strong>Double-click</strong> the eraser button to clear all the paint at once."),
    ("butt_select.png", "Selection", "Click point after point around an area. Click near the first point (Velmora asks whether to close the outline there), or double-click, to close it. Brush, eraser and fill then work only inside it. <strong>Double-click</strong> the selection button to select everything again."),
    ("butt_fill.png", "Fill", "Fills the selection (or, with no selection, the whole photo) with the brush colour."),
]

CATALOG = [
    ("butt_kat.png", "Next group", "Shows the next group of designs; its name appears beside the button."),
    ("butt_arrp.png", "Previous design", "Steps back through the designs of the group."),
    ("butt_arrn.png", "Next design", "Steps forward through the designs of the group."),
    ("butt_g.png", "Open gallery", "Opens a photo gallery: choose its <code>gallery.ini</code> file, which lists the pictures in its folder. The dialog starts in the gallery that comes with Velmora. The gallery's photos appear in the strip above the canvas; pictures that are missing or cannot be read are left out."),
    ("butt_addg.png", "Add to gallery", "Adds the finished picture, as saved, to the open photo gallery as a new JPEG file, and shows it at the end of the strip. With no gallery open, or with one you cannot change (such as the gallery that comes with Velmora), the picture goes to your own gallery, <code>~/.local/share/velmora/gallery</code>, which is then opened."),
    ("butt_arrgp.png", "Gallery back", "Pages the gallery strip back."),
    ("butt_arrgn.png", "Gallery forward", "Pages the gallery strip forward. Click a photo in the strip to use it; Velmora asks first, because the tattoos placed on the current photo are removed."),
]

COMMANDS = [
    ("butt_fopen.png", "Open", "Opens a photo: JPEG, PNG or BMP, up to 2048 &times; 2048 pixels. The dialog starts in the sample photos that come with Velmora. The tattoos and the paint on the current photo are removed."),
    ("butt_fsave.png", "Save", "Saves the finished picture &ndash; the photo with its tattoos and paint, turned as you see it &ndash; at the photo's own size, as JPEG, BMP or PNG. Choose the type under the file name, or end the name in <code>.jpg</code>, <code>.bmp</code> or <code>.png</code>. A file is replaced only once the new one is complete."),
    ("butt_print.png", "Print", "Prints the finished picture as large as the page allows, centred. Choose <em>Print to File (PDF)</em> to make a PDF file."),
    ("butt_delete.png", "Clear", "After asking, removes every tattoo, all the paint and the selection, so you can start again on the same photo."),
    ("butt_hi.png", "History", "The history of the tattoo, on a full page. Click anywhere to close it."),
    ("butt_hy.png", "Hygiene", "Tattoo hygiene and aftercare, on a full page. Click anywhere to close it."),
    ("butt_help.png", "Help", "Opens this page."),
    ("butt_min.png", "Minimize", "Minimizes the window."),
    ("butt_close.png", "Close", "Asks, then closes Velmora."),
]


def page(credits_html):
    parts = ["""<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Velmora help</title>
<style>%s</style>
</head>
<body>
<header><div class="wrap"><img src="images/app_icon.png" width="72" height="72" alt="">
<div><h1>Velmora</h1><p>Try a tattoo on a photograph before you ink it.</p></div></div></header>
<nav><div class="wrap"><a href="#start">Getting started</a><a href="#photo">Photo</a><a href="#tattoo">Tattoos</a>
<a href="#draw">Drawing</a><a href="#catalog">Designs &amp; gallery</a><a href="#commands">Commands</a>
<a href="#mouse">Mouse &amp; keys</a><a href="#about">About</a></div></nav>
<main class="wrap">
""" % CSS]
    parts.append("""<h2 id="start">Getting started</h2>
<figure><img src="images/window.png" width="850" height="650" alt="The Velmora window">
<figcaption>The Velmora window: tools on the left, the photo on the right, the photo gallery above it.</figcaption></figure>
<ol class="steps">
<li>Velmora starts with a sample photo. Open your own with <strong>Open</strong>, or pick one from a photo gallery.</li>
<li>Page through the designs with the arrows above the design's picture, and change the group with <strong>Next group</strong>.</li>
<li>Click the design's picture to place it on the photo. The <strong>Move</strong> tool is then chosen.</li>
<li>Move, rotate, resize, bend and blend the tattoo until it sits right on the skin.</li>
<li>Save or print the result, or add it to a photo gallery.</li>
</ol>
<p class="note">Every button shows a short hint when you rest the pointer on it. The button of the current tool stays lit in red.</p>
""")
    parts.append('<h2 id="photo">Photo tools</h2>\n' + tool_rows(PHOTO_TOOLS))
    parts.append('<h2 id="tattoo">Tattoo tools</h2>\n<p>Choose a tool, then work on a tattoo on the canvas. '
                 'The tattoo under the pointer is outlined.</p>\n' + tool_rows(TATTOO_TOOLS))
    parts.append('<h2 id="draw">Drawing</h2>\n<p>Drawing goes on a layer over the photo and the tattoos, '
                 'so you can add shading, colour or a sketch of your own.</p>\n' + tool_rows(DRAW_TOOLS)
                 + """
<h3>Colour and brush size</h3>
<p><img src="images/colours.png" width="518" height="52" alt="The eight colours"></p>
<p>Click a colour to paint and fill with it; the chosen colour is ringed and ticked. Type the brush size, from 3 to 64,
into the box beside the drawing tools, or click into it and press <kbd>Up</kbd> or <kbd>Down</kbd>.</p>
""")
    parts.append('<h2 id="catalog">Designs and photo gallery</h2>\n' + tool_rows(CATALOG))
    parts.append('<h2 id="commands">Commands</h2>\n' + tool_rows(COMMANDS))
    parts.append("""<h2 id="mouse">Mouse and keyboard</h2>
<table class="tools">
<tr><td class="name">Left button drag</td><td>acts with the current tool.</td></tr>
<tr><td class="name">Right button drag</td><td>always moves the tattoo under the pointer, whatever the tool.</td></tr>
<tr><td class="name">Double-click</td><td>on the canvas with the selection tool: closes the selection outline.</td></tr>
<tr><td class="name">Double-click a button</td><td>eraser: clears all the paint; selection: selects everything.</td></tr>
<tr><td class="name"><kbd>Up</kbd> <kbd>Down</kbd></td><td>in the brush size box: a larger or smaller brush.</td></tr>
<tr><td class="name"><kbd>Alt</kbd>+<kbd>F4</kbd></td><td>closes Velmora at once, without asking.</td></tr>
<tr><td class="name">Drag the background</td><td>moves the window.</td></tr>
</table>
""")
    parts.append('<h2 id="about">About Velmora</h2>\n<p>Velmora is a tattoo try-on studio for your desktop. '
                 'The emblem at the top left of its window opens this section. '
                 'The credits and licences of its pictures, icons and fonts follow. An installed copy also keeps '
                 'them, with the full licence texts, in <code>share/doc/velmora</code> of the installation '
                 '(<code>/usr/share/doc/velmora</code> for the Debian package): the file <code>CREDITS.md</code> '
                 'and the folder <code>LICENSES</code>.</p>\n'
                 '<div class="credits">\n%s\n</div>\n' % credits_html)
    parts.append("</main>\n<footer>Velmora help</footer>\n</body>\n</html>\n")
    return "".join(parts)
