# The main menu's control table.
from uigen import *
BLUE = '#0aacf1'
HEI2175 = 'font: 21.75pt "黑体";'
HEI2625 = 'font: 26.25pt "黑体";'
kids = [
  picbox('Picture2', 600, 4800, 4215, 1935, '#80ff80', 8, [
    label('Label4', 240, 600, 3855, 1215, 'MC版本万能下载器',
          f'background-color: #80ff80; color: palette(button-text); {HEI2175}', 9, ind=3)]),
  picbox('Picture1', 5520, 2280, 4575, 1815, 'palette(highlight)', 6, [
    label('Label3', 1080, 360, 2415, 975, 'effect效果指令生成器',
          f'background-color: palette(highlight); color: palette(button-text); {HEI2175}', 7, ind=3)]),
  picbox('picsmall', 10800, 120, 135, 255, BLUE, 0, [
    label('labsmall', 0, 0, 180, 300, '＿', 'background: transparent; color: #ffffff;', 1, ind=3)]),
  picbox('picclose', 11280, 120, 375, 255, BLUE, 2, [
    label('labclose', 0, 0, 255, 255, '╳', 'background: transparent; color: #ffffff; font: 7.5pt "宋体";', 3, ind=3)]),
  label('Label5', 480, 6960, 8055, 1335, '更多酷炫软件，敬请期待……',
        f'background-color: {BLUE}; color: palette(button-text); {HEI2625}', 10),
  image('Image1', 600, 2280, 4215, 1830, ':/Form1/skin_tile.bmp', words='正版皮肤偷取器'),
  label('Label2', 1320, 1320, 9255, 735, '请选择您要打开的内容（最新版本）：',
        f'background-color: {BLUE}; color: #ffffff; {HEI2625}', 5),
  label('Label1', 2520, 600, 6975, 495, '欢迎使用苦力怕工具箱·苦力怕团队',
        f'background-color: {BLUE}; color: #00ffff; {HEI2175}', 4),
]
print(form('Form1', 11535, 7680, '苦力怕工具箱 —— 苦力怕团队 出品', kids), end='')
