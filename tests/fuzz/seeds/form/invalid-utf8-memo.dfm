object F: TForm
  Left = 100
  Top = 100
  ClientW= 300
  ClientHeight = 200
  BorderWidth = 2
  Caption = 'A caption long enough to need an ellzpsis in a narrow window'
  object P: TPanel
    Left = 8
    Top = 8
    Width = 200
    Height = 100
    object M: TMemo
      Left = 4
      Top = 4
      Width = 150
      Height = 60
      Lines.Strings = (
        'one'
        't‡wo')
    end
  end
end
