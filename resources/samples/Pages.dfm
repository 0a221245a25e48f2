object PagesForm: TPagesForm
  Left = 120
  Top = 100
  BorderStyle = bsDialog
  Caption = 'Environment Options'
  ClientHeight = 334
  ClientWidth = 620
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 313
    Height = 281
    ActivePage = TabSheet2
    TabOrder = 0
    object TabSheet1: TTabSheet
      Caption = 'Preferences'
      object Label1: TLabel
        Left = 12
        Top = 12
        Width = 80
        Height = 13
        Caption = 'Autosave options'
      end
      object CheckBox1: TCheckBox
        Left = 12
        Top = 32
        Width = 120
        Height = 17
        Caption = 'Editor files'
        TabOrder = 0
      end
    end
    object TabSheet2: TTabSheet
      Caption = 'Designer'
      ImageIndex = 1
      object GroupBox1: TGroupBox
        Left = 8
        Top = 8
        Width = 289
        Height = 89
        Caption = 'Grid options'
        TabOrder = 0
        object Label2: TLabel
          Left = 12
          Top = 24
          Width = 35
          Height = 13
          Caption = 'Grid &X:'
        end
        object Label3: TLabel
          Left = 12
          Top = 52
          Width = 35
          Height = 13
          Caption = 'Grid &Y:'
        end
        object Edit1: TEdit
          Left = 64
          Top = 20
          Width = 49
          Height = 21
          TabOrder = 0
          Text = '8'
        end
        object Edit2: TEdit
          Left = 64
          Top = 48
          Width = 49
          Height = 21
          TabOrder = 1
          Text = '8'
        end
        object ScrollBar1: TScrollBar
          Left = 136
          Top = 22
          Width = 137
          Height = 17
          PageSize = 10
          Position = 30
          TabOrder = 2
        end
        object Bevel1: TBevel
          Left = 136
          Top = 48
          Width = 137
          Height = 22
        end
      end
      object SpeedButton1: TSpeedButton
        Left = 8
        Top = 108
        Width = 23
        Height = 22
        Caption = 'B'
        Flat = True
        GroupIndex = 1
        Down = True
      end
      object SpeedButton2: TSpeedButton
        Left = 32
        Top = 108
        Width = 23
        Height = 22
        Caption = 'I'
        GroupIndex = 1
      end
      object SpeedButton3: TSpeedButton
        Left = 56
        Top = 108
        Width = 23
        Height = 22
        Caption = 'U'
      end
      object BitBtn1: TBitBtn
        Left = 8
        Top = 144
        Width = 89
        Height = 25
        TabOrder = 1
        Kind = bkOK
      end
      object BitBtn2: TBitBtn
        Left = 104
        Top = 144
        Width = 89
        Height = 25
        TabOrder = 2
        Kind = bkCancel
      end
      object BitBtn3: TBitBtn
        Left = 200
        Top = 144
        Width = 89
        Height = 25
        Enabled = False
        TabOrder = 3
        Kind = bkHelp
      end
      object Memo1: TMemo
        Left = 8
        Top = 180
        Width = 289
        Height = 61
        Lines.Strings = (
          'Memo text wraps at the right edge of the memo when WordWrap is on, as it is by default.')
        TabOrder = 4
      end
    end
    object TabSheet3: TTabSheet
      Caption = 'Palette'
      ImageIndex = 2
    end
    object TabSheet4: TTabSheet
      Caption = 'Library'
    end
  end
  object TabControl2: TTabControl
    Left = 328
    Top = 8
    Width = 284
    Height = 281
    TabOrder = 1
    TabPosition = tpBottom
    Tabs.Strings = (
      'Properties'
      'Events')
    TabIndex = 0
    object TabControl1: TTabControl
      Left = 4
      Top = 4
      Width = 276
      Height = 247
      Align = alClient
      MultiLine = True
      TabOrder = 0
      TabPosition = tpLeft
      Tabs.Strings = (
        'By names'
        'By categories')
      TabIndex = 0
      object Panel2: TPanel
        Left = 24
        Top = 4
        Width = 248
        Height = 239
        Align = alClient
        BevelOuter = bvNone
        BorderStyle = bsSingle
        Color = clWindow
        Caption = 'Inspector'
        TabOrder = 0
      end
    end
  end
  object Panel1: TPanel
    Left = 8
    Top = 296
    Width = 604
    Height = 30
    BevelInner = bvLowered
    BevelWidth = 2
    Caption = 'Panel with two bevels'
    Alignment = taLeftJustify
    TabOrder = 2
  end
end
