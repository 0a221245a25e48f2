object MainForm: TMainForm
  Left = 192
  Top = 107
  Width = 544
  Height = 375
  Caption = 'Orders'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object JvPanel1: TJvPanel
    Left = 8
    Top = 8
    Width = 305
    Height = 201
    HotTrackFont.Charset = DEFAULT_CHARSET
    HotTrackFont.Height = -11
    MultiLine = True
    TabOrder = 0
    object Button1: TButton
      Left = 16
      Top = 16
      Width = 75
      Height = 25
      Caption = 'Inside'
      TabOrder = 0
    end
    object JvGroupBox1: TJvGroupBox
      Left = 16
      Top = 56
      Width = 273
      Height = 129
      Caption = 'Nested'
      PropagateEnable = True
      TabOrder = 1
      object JvEdit1: TJvEdit
        Left = 12
        Top = 24
        Width = 121
        Height = 21
        EmptyValue = '(none)'
        TabOrder = 0
      end
      object Label1: TLabel
        Left = 12
        Top = 56
        Width = 32
        Height = 13
        Caption = 'Known'
      end
    end
  end
  object Button2: TButton
    Left = 328
    Top = 8
    Width = 75
    Height = 25
    Caption = 'After'
    TabOrder = 1
  end
  object JvTimer1: TJvTimer
    Interval = 250
    Left = 432
    Top = 16
  end
  object Timer1: TTimer
    Interval = 500
    Left = 464
    Top = 16
  end
end
