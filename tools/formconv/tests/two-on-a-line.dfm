object Form1: TForm1
  Left = 1  Top = 2
end
