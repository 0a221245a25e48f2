object MainForm: TMainForm
  Left = 192
  Top = 107
  Width = 544
  Height = 375
  Caption = 'Customer details'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object NameLabel: TLabel
    Left = 16
    Top = 16
    Width = 31
    Height = 13
    Caption = '&Name:'
    FocusControl = NameEdit
  end
  object NameEdit: TEdit
    Left = 72
    Top = 12
    Width = 281
    Height = 21
    Hint = 'The customer''s full name, as it appears on invoices'
    ParentShowHint = False
    ShowHint = True
    TabOrder = 0
    Text = 'Zoë Müller'
  end
  object CountryList: TListBox
    Left = 16
    Top = 48
    Width = 337
    Height = 97
    ItemHeight = 13
    Items.Strings = (
      'Austria'
      'Belgium'
      'Deutschland'
      'España'
      'France'
      'Österreich')
    TabOrder = 1
  end
  object OptionsPanel: TPanel
    Left = 368
    Top = 12
    Width = 153
    Height = 133
    Anchors = [akTop, akRight]
    BevelOuter = bvLowered
    TabOrder = 2
    object ActiveCheck: TCheckBox
      Left = 12
      Top = 12
      Width = 129
      Height = 17
      Caption = 'Active'
      Checked = True
      State = cbChecked
      TabOrder = 0
    end
    object NewsletterCheck: TCheckBox
      Left = 12
      Top = 36
      Width = 129
      Height = 17
      Caption = 'Newsletter'
      TabOrder = 1
    end
    object PriorityEdit: TEdit
      Left = 12
      Top = 64
      Width = 57
      Height = 21
      TabOrder = 2
      Text = '3'
    end
  end
  object NotesMemo: TMemo
    Left = 16
    Top = 156
    Width = 505
    Height = 113
    Lines.Strings = (
      'Call before delivery.'
      'Second line of the notes, long enough to show how a string longe' +
        'r than sixty-four characters continues on the next line.'
      #9'Indented with a tab')
    ScrollBars = ssVertical
    TabOrder = 3
  end
  object OkButton: TBitBtn
    Left = 264
    Top = 284
    Width = 81
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 4
    OnClick = OkButtonClick
    Glyph.Data = {
      F6000000424DF600000000000000760000002800000010000000100000000100
      0400000000008000000000000000000000001000000000000000000000000000
      80000080000000808000800000008000800080800000C0C0C000808080000000
      FF0000FF000000FFFF00FF000000FF00FF00FFFF0000FFFFFF00FFFFFFFFFFFF
      FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF0000000000FFFFFF0EEEEEEEE
      0FFFFFF0EEEEEEEE0FFFFFF0EEEEEEEE0FFFFFF0EEEEEEEE0FFFFFF0EEEEEEEE
      0FFFFFF0EEEEEEEE0FFFFFF0EEEEEEEE0FFFFFF0EEEEEEEE0FFFFFF000000000
      0FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF}
    NumGlyphs = 1
  end
  object CancelButton: TButton
    Left = 352
    Top = 284
    Width = 81
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 5
  end
  object HelpButton: TButton
    Left = 440
    Top = 284
    Width = 81
    Height = 25
    Caption = '&Help'
    TabOrder = 6
    OnClick = HelpButtonClick
  end
  object StatusBar: TStatusBar
    Left = 0
    Top = 322
    Width = 536
    Height = 19
    Panels = <
      item
        Text = 'Ready'
        Width = 200
      end
      item
        Alignment = taCenter
        Width = 120
      end
      item
        Width = 50
      end>
    SimplePanel = False
  end
  object RefreshTimer: TTimer
    Interval = 5000
    OnTimer = RefreshTimerTimer
    Left = 16
    Top = 284
  end
end
