object SettingsForm: TSettingsForm
  Left = 0
  Top = 0
  ActiveControl = RemovedEdit
  Caption = 'Settings'
  ClientHeight = 260
  ClientWidth = 380
  Color = clBtnFace
  Padding.Left = 4
  Padding.Top = 4
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object Panel1: TPanel
    AlignWithMargins = True
    Left = 7
    Top = 7
    Width = 366
    Height = 41
    Margins.Left = 3
    Margins.Top = 3
    Align = alTop
    BevelOuter = bvNone
    Caption = 'Panel1'
    ParentBackground = False
    ShowCaption = False
    TabOrder = 0
    ExplicitLeft = 4
    ExplicitTop = 4
    ExplicitWidth = 372
    object Edit1: TEdit
      Left = 8
      Top = 10
      Width = 200
      Height = 21
      BevelKind = bkFlat
      ImeName = 'Microsoft IME 2010'
      TabOrder = 0
      TextHint = 'Search'
      StyleElements = [seFont, seBorder]
    end
  end
  object Button1: TButton
    Left = 296
    Top = 224
    Width = 75
    Height = 25
    Caption = 'OK'
    ModalResult = 1
    TabOrder = 1
    OnClick = Button1Click
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 241
    Width = 380
    Height = 19
    Panels = <
      item
        Width = 120
        Bevel = pbNone
      end
      item
        Width = 50
      end>
    ExplicitTop = 240
  end
end
