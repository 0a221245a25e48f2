object OptionsDlg: TOptionsDlg
  Left = 200
  Top = 120
  BorderStyle = bsDialog
  Caption = 'Options'
  ClientHeight = 306
  ClientWidth = 385
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 8
    Top = 12
    Width = 31
    Height = 13
    Caption = '&Name:'
    FocusControl = Edit1
  end
  object Label2: TLabel
    Left = 8
    Top = 40
    Width = 46
    Height = 13
    Caption = '&Password:'
    FocusControl = Edit2
  end
  object Edit1: TEdit
    Left = 72
    Top = 8
    Width = 145
    Height = 21
    TabOrder = 0
    Text = 'Form designer'
  end
  object Edit2: TEdit
    Left = 72
    Top = 36
    Width = 145
    Height = 21
    PasswordChar = '*'
    TabOrder = 1
    Text = 'secret'
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 68
    Width = 129
    Height = 17
    Caption = 'Show &grid'
    Checked = True
    State = cbChecked
    TabOrder = 2
  end
  object CheckBox2: TCheckBox
    Left = 8
    Top = 88
    Width = 129
    Height = 17
    Caption = 'Snap to grid'
    TabOrder = 3
  end
  object CheckBox3: TCheckBox
    Left = 8
    Top = 108
    Width = 129
    Height = 17
    AllowGrayed = True
    Caption = 'Show hints'
    State = cbGrayed
    TabOrder = 4
  end
  object RadioGroup1: TRadioGroup
    Left = 232
    Top = 4
    Width = 145
    Height = 81
    Caption = 'Grid &size'
    ItemIndex = 1
    Items.Strings = (
      '4 pixels'
      '8 pixels'
      '16 pixels')
    TabOrder = 5
  end
  object ListBox1: TListBox
    Left = 8
    Top = 136
    Width = 145
    Height = 121
    ItemHeight = 13
    Items.Strings = (
      'Standard'
      'Additional'
      'Win32'
      'System'
      'Data Access'
      'Data Controls'
      'Dialogs'
      'Samples'
      'ActiveX'
      'Servers')
    TabOrder = 6
  end
  object ComboBox1: TComboBox
    Left = 168
    Top = 136
    Width = 145
    Height = 21
    Style = csDropDownList
    ItemHeight = 13
    ItemIndex = 0
    TabOrder = 7
    Text = 'Left'
    Items.Strings = (
      'Left'
      'Right'
      'Top'
      'Bottom')
  end
  object ComboBox2: TComboBox
    Left = 168
    Top = 164
    Width = 145
    Height = 21
    ItemHeight = 13
    TabOrder = 8
    Text = 'Courier New'
    Items.Strings = (
      'Arial'
      'Courier New'
      'Times New Roman')
  end
  object GroupBox1: TGroupBox
    Left = 168
    Top = 192
    Width = 209
    Height = 65
    Caption = 'Alignment'
    TabOrder = 9
    object RadioButton1: TRadioButton
      Left = 12
      Top = 18
      Width = 113
      Height = 17
      Caption = 'To the grid'
      Checked = True
      TabOrder = 0
      TabStop = True
    end
    object RadioButton2: TRadioButton
      Left = 12
      Top = 38
      Width = 113
      Height = 17
      Caption = 'To the guidelines'
      TabOrder = 1
    end
  end
  object Button1: TButton
    Left = 136
    Top = 272
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 10
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 220
    Top = 272
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 11
  end
  object Button3: TButton
    Left = 304
    Top = 272
    Width = 75
    Height = 25
    Caption = '&Help'
    Enabled = False
    TabOrder = 12
  end
  object Bogus1: TFancyWidget
    Left = 4
    Top = 4
  end
end
