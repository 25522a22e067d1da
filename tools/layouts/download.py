# The version file downloader window's control table.
from uigen import *
BLUE = '#0aacf1'
YELLOW = '#ffff80'
OPT = f'background-color: {BLUE};'
# Labels with no colour of their own write in the platform's text colour.
LABEL = 'color: palette(button-text);'

kids = [
  label('Label1', 1800, 480, 6855, 495, '欢迎使用MC版本万能下载器!',
        f'background-color: {BLUE}; color: #ffc080; font: bold 24pt "黑体";', 11),
  frame('Frame3', 720, 1080, 8775, 1335, '文件', 0, [
    option('Option1', 240, 480, 1935, 495, 'Jar主体文件下载', 3, OPT),
    option('Option2', 3360, 480, 2175, 495, 'Json主体文件下载', 2, OPT),
    option('Option3', 6720, 480, 1815, 495, '开服端下载', 1, OPT)]),
  frame('Frame2', 720, 2520, 8775, 975, '线路', 6, [
    option('Option4', 1800, 360, 1215, 495, '国内线路', 8, OPT),
    option('Option5', 5640, 360, 1095, 495, '国外线路', 7, OPT)]),
  label('Label2', 240, 3720, 2535, 975, '版本：',
        f'background-color: {BLUE}; {LABEL} font: 42pt "黑体";', 10, buddy='Text1'),
  textbox('Text1', 2880, 3720, 5415, 870, '1.7.2', 5, f'background-color: {BLUE}; font: 42pt "黑体";'),
  picbox('Picture1', 8520, 3720, 1575, 855, YELLOW, 18, [
    label('Label4', 240, 240, 1455, 615, '下载！',
          f'background-color: {YELLOW}; {LABEL} font: 21.75pt "黑体";', 19, ind=3)]),
  frame('Frame1', 120, 4680, 5175, 1455, '如果显示无法显示此网页提示就表明您的版本号或线路不正确!', 4, [
    # The browser pane goes here when the window is loaded.
    placeholder('WebBrowser1', 360, 240, 4455, 1095, 17, start='http:///')]),
  # Added to the stored controls, in the room between the pane's frame and
  # the credit line, last in the tab order.
  button('Command1', 5760, 4710, 2400, 510, '从列表中选版本…', 20,
         f'background-color: {YELLOW}; font: 10.5pt "黑体";', '从版本列表中选择版本'),
  label('Label3', 5760, 5280, 4335, 735, '本工具由苦力怕团队制作，转载请注明出处',
        f'background-color: {BLUE}; color: #c0c0c0; font: 18pt "黑体";', 9),
] + tool_frame(9120, 'Picture2', 120, (16, 14, 15, 12, 13))
print(form('download', 10305, 6195, 'MC版本万能下载器', kids,
           custom=('ClickLabel', 'PictureBox', 'OptionButton')), end='')
