# The effect command window's control table.
from uigen import *
BLUE = '#0aacf1'
OPT = f'background-color: {BLUE};'
LABEL = f'background-color: {BLUE}; color: palette(button-text);'
# The text boxes share the window's colour, except the two hidden ones.
BOX = f'background-color: {BLUE};'

def opt(name, l, t, w, text, tabi, sheet=OPT, ind=3, focus_selects=True):
    return option(name, l, t, w, 255, text, tabi, sheet, ind=ind, focus_selects=focus_selects)

effects = [
    ('Option2', 1320, 360, 735, '缓慢', 40), ('Option3', 2280, 360, 975, '急迫', 39),
    ('Option4', 3480, 360, 1095, '挖掘疲劳', 38), ('Option5', 4560, 360, 1095, '力量', 37),
    ('Option6', 5640, 360, 1215, '瞬间治疗', 36), ('Option7', 6840, 360, 1095, '瞬间伤害', 35),
    ('Option8', 240, 720, 1095, '跳跃提升', 34), ('Option9', 1320, 720, 975, '反胃', 33),
    ('Option10', 2280, 720, 1095, '生命恢复', 32), ('Option11', 3480, 720, 1095, '抗性提升', 31),
    ('Option12', 4560, 720, 1095, '防火', 30), ('Option13', 5640, 720, 1095, '水下呼吸', 29),
    ('Option14', 6840, 720, 1095, '隐身', 28), ('Option15', 240, 1080, 1095, '失明', 27),
    ('Option16', 1320, 1080, 855, '夜视', 26), ('Option17', 2280, 1080, 1095, '饥饿', 25),
    ('Option18', 3480, 1080, 1095, '虚弱', 24), ('Option19', 4560, 1080, 1095, '中毒', 23),
    ('Option20', 5640, 1080, 1095, '凋零', 22), ('Option21', 240, 1680, 1095, '生命提升', 21),
    ('Option22', 1320, 1680, 1095, '伤害吸收', 20), ('Option23', 2520, 1680, 1215, '饱和', 19),
    ('Option30', 5640, 1680, 1215, '全部消除', 18),
]
# Option0 shares Option1's place and is narrower; it comes first here so that
# Option1, on top, takes the mouse where they overlap. The tab order (by
# tabIndex) still reaches both.
frame1 = [opt('Option0', 240, 360, 855, '速度', 17, 'background-color: palette(button);'),
          opt('Option1', 240, 360, 975, '速度', 41)]
frame1 += [opt(n, l, t, w, text, tabi) for n, l, t, w, text, tabi in effects]
frame1.append(label('Label2', 240, 1440, 2415, 255, '以下效果仅限在1.8以后使用', LABEL, 42, ind=3))
# The effects the options lack, in the chosen game; in the free room of the
# last row, between "饱和" and "全部消除".
frame1.append(combo('Combo1', 3840, 1635, 1680, 330, 58, '更多效果'))

kids = [
  label('Label1', 240, 480, 8055, 615, '欢迎使用effect效果指令生成器！',
        f'background-color: {BLUE}; color: #ff8000; font: 26.25pt "黑体";', 44),
  frame('Frame2', 120, 1200, 8175, 1095, '玩家', 10, [
    opt('Option24', 240, 480, 1095, '最近玩家', 15),
    opt('Option25', 1320, 480, 1215, '所有玩家', 14),
    opt('Option26', 2520, 480, 1095, '随机玩家', 13),
    opt('Option27', 3600, 480, 1095, '指定的人', 12),
    textbox('Text1', 4800, 480, 1335, 270, '', 11, BOX, enabled=False, ind=3)]),
  frame('Frame1', 120, 2400, 8175, 2295, '效果', 16, frame1),
  frame('Frame3', 120, 4800, 8175, 855, '持续时间（单位为秒）', 6, [
    opt('Option28', 240, 360, 855, '自定义', 9),
    textbox('Text2', 1200, 360, 1455, 270, '', 8, BOX, enabled=False, ind=3),
    opt('Option29', 2880, 360, 855, '永久', 7)]),
  # Which game the command is for: a group of its own, over the empty right
  # part of the duration frame, whose border there it covers. Its tab stops
  # come after every stored control's, and a Tab passing them selects none.
  frame('Frame5', 3900, 4800, 4395, 855, '指令适用的游戏版本', 54, [
    opt('Option34', 120, 360, 1575, 'Java版1.8–1.12', 55, focus_selects=False),
    opt('Option35', 1800, 360, 1455, 'Java版1.13起', 56, focus_selects=False),
    opt('Option36', 3360, 360, 855, '基岩版', 57, focus_selects=False)], opaque=BLUE),
  frame('Frame4', 120, 5760, 8175, 975, '效果倍数（最小1，最大255）', 1, [
    opt('Option31', 240, 360, 855, '自定义', 5),
    textbox('Text4', 1200, 360, 975, 270, '', 4, BOX, enabled=False, ind=3),
    opt('Option32', 2280, 360, 855, '最小', 3),
    opt('Option33', 3360, 360, 855, '最大', 2),
    checkbox('Check1', 4440, 360, 1815, 255, '隐藏粒子效果', 59, OPT)]),
  picbox('Picture1', 240, 6840, 2055, 615, BLUE, 45, [
    label('Label4', 240, 0, 1695, 615, '生成！', f'{LABEL} font: 26.25pt "微软雅黑";', 46, ind=3)]),
  textbox('Text5', 2400, 6840, 5895, 615, '', 0, f'{BOX} font: 15.75pt "黑体";', reads='生成的指令'),
  label('Label3', 120, 7440, 8055, 735, '苦力怕团队制作，未经允许请勿转载',
        f'background-color: {BLUE}; color: #ffff80; font: 18pt "黑体";', 43),
  # Beyond the right edge: they only hold the last effect and amplifier texts.
  textbox('Text3', 9000, 2760, 615, 375, '', 48, reads='效果编号'),
  textbox('Text6', 8880, 1680, 615, 495, '', 47, reads='效果倍数'),
] + tool_frame(7200, 'Picture2', 120, (53, 49, 50, 51, 52))
print(form('effect', 8355, 8175, 'effect效果指令生成器', kids,
           custom=('ClickLabel', 'PictureBox', 'OptionButton')), end='')
