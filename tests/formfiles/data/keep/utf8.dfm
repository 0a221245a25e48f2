object Form3: TForm3
  Caption = 'Größe – 大きさ'
  ClientHeight = 120
  ClientWidth = 240
  PixelsPerInch = 96
  TextHeight = 15
  object Button1: TButton
    Left = 8
    Top = 8
    Width = 90
    Height = 25
    Caption = 'Übernehmen'
    TabOrder = 0
    OnClick = Button1Click
  end
  object Edit1: TEdit
    Left = 8
    Top = 40
    Width = 121
    Height = 23
    TabOrder = 1
    Text = 'naïve'
  end
end
