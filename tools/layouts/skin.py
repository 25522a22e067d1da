# The skin fetcher window's control table.
from uigen import *
BLUE = '#0aacf1'
GREY = '#808080'
OPT = f'background-color: {BLUE};'
LABEL = f'background-color: {BLUE}; color: palette(button-text);'

kids = [
  label('Label1', 600, 480, 6855, 495, '欢迎使用正版皮肤获取器V2.0!',
        f'background-color: {BLUE}; color: #ffc080; font: bold 24pt "黑体";', 9),
  option('Option1', 120, 1080, 1455, 495, '正版皮肤下载', 0, OPT, ind=2),
  option('Option2', 1920, 1080, 1455, 495, '正版披风下载', 1, OPT, ind=2),
  option('Option3', 3600, 1080, 1695, 495, 'Skinme皮肤下载', 2, OPT, ind=2),
  option('Option4', 5520, 1080, 1935, 495, 'Skinme披风下载', 3, OPT, ind=2),
  label('Label2', 240, 1680, 2175, 375, '正版用户名称：',
        f'background-color: {BLUE}; color: #ffc080; font: 15pt "黑体";', 8, buddy='Text1'),
  textbox('Text1', 2400, 1560, 4455, 615, 'Creeper', 5, f'background-color: {BLUE}; font: 21.75pt "黑体";'),
  picbox('Picture2', 6960, 1680, 975, 495, GREY, 15, [
    label('Label6', 120, 120, 855, 375, '偷取！',
          f'background-color: {GREY}; color: palette(button-text); font: 14.25pt "黑体";', 16, ind=3)]),
  frame('Frame1', 120, 2280, 3375, 1335, '皮肤显示区，若要保存，请右键另存为', 4, [
    # The browser pane goes here when the window is loaded.
    placeholder('WebBrowser1', 120, 240, 3015, 975, 17)]),
  label('Label4', 3600, 2280, 4575, 375, '获取皮肤时出现无法显示此网页的请点我！',
        f'{LABEL} font: 12pt "黑体";', 6),
  label('Label3', 3600, 2760, 4455, 735, '苦力怕团队制作，转载请注明出处',
        f'background-color: {BLUE}; color: palette(highlight); font: 18pt "黑体";', 7),
] + tool_frame(6960, 'Picture1', 0, (12, 13, 14, 10, 11))
print(form('skin', 8115, 3645, '正版皮肤获取器', kids,
           custom=('ClickLabel', 'PictureBox', 'OptionButton')), end='')
