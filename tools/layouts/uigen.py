# Writes a Qt Designer .ui from a window's control table, positions in twips
# (15 to a pixel). Each window's table is a script beside this one, printing
# its window's .ui; to rewrite all four ui/<window>/<window>.ui files:
#     python3 tools/layouts/check-layouts.py --write
from xml.sax.saxutils import escape
T = 15
def px(v):
    assert v % T == 0, v
    return v // T

def prop(name, inner, stdset=True):
    a = '' if stdset else ' stdset="0"'
    return f'<property name="{name}"{a}>{inner}</property>'

def geom(l, t, w, h):
    return prop('geometry', f'<rect><x>{px(l)}</x><y>{px(t)}</y><width>{px(w)}</width><height>{px(h)}</height></rect>')

def string(s):
    return f'<string>{escape(s)}</string>'

def widget(cls, name, props, children=(), ind=1):
    sp = ' ' * ind
    out = [f'{sp}<widget class="{cls}" name="{name}">']
    for p in props:
        out.append(f'{sp} {p}')
    for c in children:
        out.append(c)
    out.append(f'{sp}</widget>')
    return '\n'.join(out)

def tab(i):
    return prop('tabIndex', f'<number>{i}</number>', stdset=False)

# Assistive technology reads a control by its caption. A control without
# one stores the name to read instead; a label can name the text box beside
# it (its buddy).
def spoken(name):
    return prop('accessibleName', string(name))

def label(name, l, t, w, h, text, sheet, tabi, ind=2, children=(), buddy=None):
    props = [geom(l, t, w, h), tab(tabi), prop('styleSheet', string(sheet)), prop('text', string(text)),
             prop('textFormat', '<enum>Qt::PlainText</enum>'),
             prop('alignment', '<set>Qt::AlignLeading|Qt::AlignLeft|Qt::AlignTop</set>'),
             prop('wordWrap', '<bool>true</bool>')]
    if buddy:
        props.append(prop('buddy', f'<cstring>{buddy}</cstring>'))
    return widget('ClickLabel', name, props, children, ind)

def image(name, l, t, w, h, pixmap, ind=2, words=None):
    """words: what the picture says, read out in its place."""
    props = [geom(l, t, w, h), prop('pixmap', f'<pixmap>{pixmap}</pixmap>'),
             prop('alignment', '<set>Qt::AlignLeading|Qt::AlignLeft|Qt::AlignTop</set>')]
    if words:
        props.append(spoken(words))
    return widget('ClickLabel', name, props, (), ind)

def picbox(name, l, t, w, h, colour, tabi, children=(), ind=2):
    props = [geom(l, t, w, h), tab(tabi), prop('styleSheet', string(f'#{name} {{ background-color: {colour}; }}'))]
    return widget('PictureBox', name, props, children, ind)

CUSTOM = {
    'ClickLabel': ('QLabel', 'ClickLabel.h', False),
    'PictureBox': ('QWidget', 'PictureBox.h', True),
    'OptionButton': ('QRadioButton', 'OptionButton.h', False),
}

def form(cls, w, h, title, children, tabstops=(), resources=(), custom=('ClickLabel', 'PictureBox')):
    head = '<?xml version="1.0" encoding="UTF-8"?>\n<ui version="4.0">\n'
    body = f' <class>{cls}</class>\n'
    props = [geom(0, 0, w, h), prop('windowTitle', string(title)),
             prop('styleSheet', string(f'#{cls} {{ background-color: #0aacf1; }}'))]
    body += widget('QWidget', cls, props, children, 1) + '\n'
    body += ' <customwidgets>\n'
    for name in custom:
        base, header, container = CUSTOM[name]
        body += f'  <customwidget>\n   <class>{name}</class>\n   <extends>{base}</extends>\n   <header>{header}</header>\n'
        if container:
            body += '   <container>1</container>\n'
        body += '  </customwidget>\n'
    body += ' </customwidgets>\n'
    if tabstops:
        body += ' <tabstops>\n' + ''.join(f'  <tabstop>{t}</tabstop>\n' for t in tabstops) + ' </tabstops>\n'
    if resources:
        body += ' <resources>\n' + ''.join(f'  <include location="{r}"/>\n' for r in resources) + ' </resources>\n'
    body += ' <connections/>\n</ui>\n'
    return head + body

def frame(name, l, t, w, h, title, tabi, children=(), ind=2, opaque=None):
    """opaque: the colour it fills its rectangle with, hiding what lies under it."""
    props = [geom(l, t, w, h), tab(tabi)]
    if opaque:
        props.append(prop('styleSheet', string(f'#{name} {{ background-color: {opaque}; }}')))
    props.append(prop('title', string(title)))
    return widget('QGroupBox', name, props, children, ind)

def option(name, l, t, w, h, text, tabi, sheet, ind=3, focus_selects=True):
    """focus_selects: the keyboard focus arriving selects the option, as the
    stored windows' options do; off for an option that would change the
    command silently when a Tab passes it."""
    props = [geom(l, t, w, h), tab(tabi), prop('styleSheet', string(sheet)), prop('text', string(text))]
    if not focus_selects:
        props.append(prop('selectsOnFocus', '<bool>false</bool>', stdset=False))
    return widget('OptionButton', name, props, (), ind)

def checkbox(name, l, t, w, h, text, tabi, sheet, ind=3):
    props = [geom(l, t, w, h), tab(tabi), prop('styleSheet', string(sheet)), prop('text', string(text))]
    return widget('QCheckBox', name, props, (), ind)

def combo(name, l, t, w, h, tabi, reads, ind=3):
    """A drop-down list that starts with nothing chosen, showing its name."""
    props = [geom(l, t, w, h), tab(tabi), spoken(reads), prop('placeholderText', string(reads))]
    return widget('QComboBox', name, props, (), ind)

def textbox(name, l, t, w, h, text, tabi, sheet='', enabled=True, ind=2, reads=None):
    """reads: the box's name for a box with neither a frame nor a label of its own."""
    props = [geom(l, t, w, h), tab(tabi)]
    if reads:
        props.append(spoken(reads))
    if sheet:
        props.append(prop('styleSheet', string(sheet)))
    if not enabled:
        props.append(prop('enabled', '<bool>false</bool>'))
    props.append(prop('text', string(text)))
    # Text boxes have no length limit; Qt's default stops at 32767.
    props.append(prop('maxLength', '<number>2147483647</number>'))
    return widget('QLineEdit', name, props, (), ind)

def button(name, l, t, w, h, text, tabi, sheet, reads, ind=2):
    """A push button: reached by Tab, pressed by Space; reads: its name when read out."""
    props = [geom(l, t, w, h), tab(tabi), spoken(reads), prop('styleSheet', string(sheet)),
             prop('text', string(text))]
    return widget('QPushButton', name, props, (), ind)

def placeholder(name, l, t, w, h, tabi, ind=3, start=None):
    props = [geom(l, t, w, h), tab(tabi)]
    if start is not None:
        # Where the pane opens; the window sends it there when it is loaded.
        props.append(prop('startAddress', string(start), stdset=False))
    return widget('QWidget', name, props, (), ind)

def tool_frame(small_left, back_box, cross_left, tabs):
    """The minimize, Back and close controls of a tool window, in a row at the
    top edge: "＿" at small_left, the Back box 360 twips further and the close
    box 360 beyond that, overlapping it by a pixel. tabs: labsmall, back box,
    "←", close box, "╳"."""
    blue = '#0aacf1'
    small, box, arrow, close, cross = tabs
    return [
        label('labsmall', small_left, 0, 300, 300, '＿', 'background: transparent; color: #ffffff;', small),
        picbox(back_box, small_left + 360, 0, 375, 255, blue, box, [
            label('Label5', 0, 0, 255, 255, '←',
                  f'background-color: {blue}; color: #ffffff; font: 12pt "宋体";', arrow, ind=3)]),
        picbox('picclose', small_left + 720, 0, 375, 255, blue, close, [
            label('labclose', cross_left, 0, 255, 255, '╳',
                  'background: transparent; color: #ffffff; font: 7.5pt "宋体";', cross, ind=3)]),
    ]
