object Form2: TForm2
  Left = 200
  Top = 120
  Caption = 'Caf'#233' cr'#232'me'
  ClientHeight = 300
  ClientWidth = 400
  Color = clBtnFace
  Font.Height = -11
  Font.Name = 'Tahoma'
  OldCreateOrder = True
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 200
    Height = 13
    Hint = ''
    Caption = 
      'A long caption that the classic tool wrapped on its own line bec' +
      'ause it was long, with a quote '' inside'
  end
  object DateEdit1: TJvDateEdit
    Left = 8
    Top = 32
    Width = 121
    Height = 21
    Date = 38746.336874976850000000
    Ratio = 1.500000000000000000
    Glyph.Data = {
      36010000424D3601000000000000760000002800000010000000100000000100
      040000000000C0000000000000000000000000000000000000000000000000000080
      0000800000008080008000000080008000808000008080800000C0C0C000}
    TabOrder = 0
  end
  object Memo1: TMemo
    Left = 8
    Top = 64
    Width = 185
    Height = 89
    Lines.Strings = (
      'First line'
      'Stra'#223'e')
    TabOrder = 1
  end
end
