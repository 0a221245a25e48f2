inherited ChildForm: TChildForm
  Caption = 'Child'
  ClientHeight = 200
  PixelsPerInch = 96
  TextHeight = 13
  inherited Button1: TButton
    Left = 120
  end
  inherited BaseGrid: TBaseGrid
    Left = 8
    Top = 40
    Width = 300
    Height = 120
  end
  object Extra: TButton
    Left = 8
    Top = 168
    Width = 75
    Height = 25
    Caption = 'Extra'
    TabOrder = 2
  end
end
