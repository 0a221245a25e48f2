object BigForm: TForm
  Left = 0
  Top = 0
  Caption = 'A thousand controls'
  ClientHeight = 3280
  ClientWidth = 1600
  Color = clBtnFace
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  object GroupBox1: TGroupBox
    Left = 4
    Top = 4
    Width = 312
    Height = 320
    Caption = 'Group 1'
    object Label1: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 1'
    end
    object Edit2: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 2'
    end
    object Button3: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 3'
    end
    object CheckBox4: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 4'
    end
    object RadioButton5: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 5'
    end
    object Label6: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 6'
    end
    object Edit7: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 7'
    end
    object Button8: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 8'
    end
    object CheckBox9: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 9'
    end
    object RadioButton10: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 10'
    end
    object Label11: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 11'
    end
    object Edit12: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 12'
    end
    object Button13: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 13'
    end
    object CheckBox14: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 14'
    end
    object RadioButton15: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 15'
    end
    object Label16: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 16'
    end
    object Edit17: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 17'
    end
    object Button18: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 18'
    end
    object CheckBox19: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 19'
    end
    object RadioButton20: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 20'
    end
  end
  object GroupBox2: TGroupBox
    Left = 324
    Top = 4
    Width = 312
    Height = 320
    Caption = 'Group 2'
    object Label21: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 21'
    end
    object Edit22: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 22'
    end
    object Button23: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 23'
    end
    object CheckBox24: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 24'
    end
    object RadioButton25: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 25'
    end
    object Label26: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 26'
    end
    object Edit27: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 27'
    end
    object Button28: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 28'
    end
    object CheckBox29: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 29'
    end
    object RadioButton30: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 30'
    end
    object Label31: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 31'
    end
    object Edit32: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 32'
    end
    object Button33: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 33'
    end
    object CheckBox34: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 34'
    end
    object RadioButton35: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 35'
    end
    object Label36: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 36'
    end
    object Edit37: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 37'
    end
    object Button38: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 38'
    end
    object CheckBox39: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 39'
    end
    object RadioButton40: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 40'
    end
  end
  object GroupBox3: TGroupBox
    Left = 644
    Top = 4
    Width = 312
    Height = 320
    Caption = 'Group 3'
    object Label41: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 41'
    end
    object Edit42: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 42'
    end
    object Button43: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 43'
    end
    object CheckBox44: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 44'
    end
    object RadioButton45: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 45'
    end
    object Label46: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 46'
    end
    object Edit47: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 47'
    end
    object Button48: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 48'
    end
    object CheckBox49: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 49'
    end
    object RadioButton50: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 50'
    end
    object Label51: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 51'
    end
    object Edit52: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 52'
    end
    object Button53: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 53'
    end
    object CheckBox54: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 54'
    end
    object RadioButton55: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 55'
    end
    object Label56: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 56'
    end
    object Edit57: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 57'
    end
    object Button58: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 58'
    end
    object CheckBox59: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 59'
    end
    object RadioButton60: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 60'
    end
  end
  object GroupBox4: TGroupBox
    Left = 964
    Top = 4
    Width = 312
    Height = 320
    Caption = 'Group 4'
    object Label61: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 61'
    end
    object Edit62: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 62'
    end
    object Button63: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 63'
    end
    object CheckBox64: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 64'
    end
    object RadioButton65: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 65'
    end
    object Label66: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 66'
    end
    object Edit67: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 67'
    end
    object Button68: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 68'
    end
    object CheckBox69: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 69'
    end
    object RadioButton70: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 70'
    end
    object Label71: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 71'
    end
    object Edit72: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 72'
    end
    object Button73: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 73'
    end
    object CheckBox74: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 74'
    end
    object RadioButton75: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 75'
    end
    object Label76: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 76'
    end
    object Edit77: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 77'
    end
    object Button78: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 78'
    end
    object CheckBox79: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 79'
    end
    object RadioButton80: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 80'
    end
  end
  object GroupBox5: TGroupBox
    Left = 1284
    Top = 4
    Width = 312
    Height = 320
    Caption = 'Group 5'
    object Label81: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 81'
    end
    object Edit82: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 82'
    end
    object Button83: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 83'
    end
    object CheckBox84: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 84'
    end
    object RadioButton85: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 85'
    end
    object Label86: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 86'
    end
    object Edit87: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 87'
    end
    object Button88: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 88'
    end
    object CheckBox89: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 89'
    end
    object RadioButton90: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 90'
    end
    object Label91: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 91'
    end
    object Edit92: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 92'
    end
    object Button93: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 93'
    end
    object CheckBox94: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 94'
    end
    object RadioButton95: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 95'
    end
    object Label96: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 96'
    end
    object Edit97: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 97'
    end
    object Button98: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 98'
    end
    object CheckBox99: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 99'
    end
    object RadioButton100: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 100'
    end
  end
  object GroupBox6: TGroupBox
    Left = 4
    Top = 332
    Width = 312
    Height = 320
    Caption = 'Group 6'
    object Label101: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 101'
    end
    object Edit102: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 102'
    end
    object Button103: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 103'
    end
    object CheckBox104: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 104'
    end
    object RadioButton105: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 105'
    end
    object Label106: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 106'
    end
    object Edit107: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 107'
    end
    object Button108: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 108'
    end
    object CheckBox109: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 109'
    end
    object RadioButton110: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 110'
    end
    object Label111: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 111'
    end
    object Edit112: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 112'
    end
    object Button113: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 113'
    end
    object CheckBox114: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 114'
    end
    object RadioButton115: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 115'
    end
    object Label116: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 116'
    end
    object Edit117: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 117'
    end
    object Button118: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 118'
    end
    object CheckBox119: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 119'
    end
    object RadioButton120: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 120'
    end
  end
  object GroupBox7: TGroupBox
    Left = 324
    Top = 332
    Width = 312
    Height = 320
    Caption = 'Group 7'
    object Label121: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 121'
    end
    object Edit122: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 122'
    end
    object Button123: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 123'
    end
    object CheckBox124: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 124'
    end
    object RadioButton125: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 125'
    end
    object Label126: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 126'
    end
    object Edit127: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 127'
    end
    object Button128: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 128'
    end
    object CheckBox129: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 129'
    end
    object RadioButton130: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 130'
    end
    object Label131: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 131'
    end
    object Edit132: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 132'
    end
    object Button133: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 133'
    end
    object CheckBox134: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 134'
    end
    object RadioButton135: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 135'
    end
    object Label136: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 136'
    end
    object Edit137: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 137'
    end
    object Button138: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 138'
    end
    object CheckBox139: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 139'
    end
    object RadioButton140: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 140'
    end
  end
  object GroupBox8: TGroupBox
    Left = 644
    Top = 332
    Width = 312
    Height = 320
    Caption = 'Group 8'
    object Label141: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 141'
    end
    object Edit142: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 142'
    end
    object Button143: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 143'
    end
    object CheckBox144: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 144'
    end
    object RadioButton145: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 145'
    end
    object Label146: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 146'
    end
    object Edit147: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 147'
    end
    object Button148: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 148'
    end
    object CheckBox149: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 149'
    end
    object RadioButton150: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 150'
    end
    object Label151: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 151'
    end
    object Edit152: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 152'
    end
    object Button153: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 153'
    end
    object CheckBox154: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 154'
    end
    object RadioButton155: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 155'
    end
    object Label156: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 156'
    end
    object Edit157: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 157'
    end
    object Button158: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 158'
    end
    object CheckBox159: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 159'
    end
    object RadioButton160: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 160'
    end
  end
  object GroupBox9: TGroupBox
    Left = 964
    Top = 332
    Width = 312
    Height = 320
    Caption = 'Group 9'
    object Label161: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 161'
    end
    object Edit162: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 162'
    end
    object Button163: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 163'
    end
    object CheckBox164: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 164'
    end
    object RadioButton165: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 165'
    end
    object Label166: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 166'
    end
    object Edit167: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 167'
    end
    object Button168: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 168'
    end
    object CheckBox169: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 169'
    end
    object RadioButton170: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 170'
    end
    object Label171: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 171'
    end
    object Edit172: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 172'
    end
    object Button173: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 173'
    end
    object CheckBox174: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 174'
    end
    object RadioButton175: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 175'
    end
    object Label176: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 176'
    end
    object Edit177: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 177'
    end
    object Button178: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 178'
    end
    object CheckBox179: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 179'
    end
    object RadioButton180: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 180'
    end
  end
  object GroupBox10: TGroupBox
    Left = 1284
    Top = 332
    Width = 312
    Height = 320
    Caption = 'Group 10'
    object Label181: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 181'
    end
    object Edit182: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 182'
    end
    object Button183: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 183'
    end
    object CheckBox184: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 184'
    end
    object RadioButton185: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 185'
    end
    object Label186: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 186'
    end
    object Edit187: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 187'
    end
    object Button188: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 188'
    end
    object CheckBox189: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 189'
    end
    object RadioButton190: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 190'
    end
    object Label191: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 191'
    end
    object Edit192: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 192'
    end
    object Button193: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 193'
    end
    object CheckBox194: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 194'
    end
    object RadioButton195: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 195'
    end
    object Label196: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 196'
    end
    object Edit197: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 197'
    end
    object Button198: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 198'
    end
    object CheckBox199: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 199'
    end
    object RadioButton200: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 200'
    end
  end
  object GroupBox11: TGroupBox
    Left = 4
    Top = 660
    Width = 312
    Height = 320
    Caption = 'Group 11'
    object Label201: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 201'
    end
    object Edit202: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 202'
    end
    object Button203: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 203'
    end
    object CheckBox204: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 204'
    end
    object RadioButton205: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 205'
    end
    object Label206: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 206'
    end
    object Edit207: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 207'
    end
    object Button208: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 208'
    end
    object CheckBox209: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 209'
    end
    object RadioButton210: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 210'
    end
    object Label211: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 211'
    end
    object Edit212: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 212'
    end
    object Button213: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 213'
    end
    object CheckBox214: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 214'
    end
    object RadioButton215: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 215'
    end
    object Label216: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 216'
    end
    object Edit217: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 217'
    end
    object Button218: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 218'
    end
    object CheckBox219: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 219'
    end
    object RadioButton220: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 220'
    end
  end
  object GroupBox12: TGroupBox
    Left = 324
    Top = 660
    Width = 312
    Height = 320
    Caption = 'Group 12'
    object Label221: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 221'
    end
    object Edit222: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 222'
    end
    object Button223: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 223'
    end
    object CheckBox224: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 224'
    end
    object RadioButton225: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 225'
    end
    object Label226: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 226'
    end
    object Edit227: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 227'
    end
    object Button228: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 228'
    end
    object CheckBox229: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 229'
    end
    object RadioButton230: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 230'
    end
    object Label231: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 231'
    end
    object Edit232: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 232'
    end
    object Button233: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 233'
    end
    object CheckBox234: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 234'
    end
    object RadioButton235: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 235'
    end
    object Label236: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 236'
    end
    object Edit237: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 237'
    end
    object Button238: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 238'
    end
    object CheckBox239: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 239'
    end
    object RadioButton240: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 240'
    end
  end
  object GroupBox13: TGroupBox
    Left = 644
    Top = 660
    Width = 312
    Height = 320
    Caption = 'Group 13'
    object Label241: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 241'
    end
    object Edit242: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 242'
    end
    object Button243: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 243'
    end
    object CheckBox244: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 244'
    end
    object RadioButton245: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 245'
    end
    object Label246: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 246'
    end
    object Edit247: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 247'
    end
    object Button248: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 248'
    end
    object CheckBox249: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 249'
    end
    object RadioButton250: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 250'
    end
    object Label251: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 251'
    end
    object Edit252: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 252'
    end
    object Button253: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 253'
    end
    object CheckBox254: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 254'
    end
    object RadioButton255: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 255'
    end
    object Label256: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 256'
    end
    object Edit257: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 257'
    end
    object Button258: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 258'
    end
    object CheckBox259: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 259'
    end
    object RadioButton260: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 260'
    end
  end
  object GroupBox14: TGroupBox
    Left = 964
    Top = 660
    Width = 312
    Height = 320
    Caption = 'Group 14'
    object Label261: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 261'
    end
    object Edit262: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 262'
    end
    object Button263: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 263'
    end
    object CheckBox264: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 264'
    end
    object RadioButton265: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 265'
    end
    object Label266: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 266'
    end
    object Edit267: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 267'
    end
    object Button268: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 268'
    end
    object CheckBox269: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 269'
    end
    object RadioButton270: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 270'
    end
    object Label271: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 271'
    end
    object Edit272: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 272'
    end
    object Button273: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 273'
    end
    object CheckBox274: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 274'
    end
    object RadioButton275: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 275'
    end
    object Label276: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 276'
    end
    object Edit277: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 277'
    end
    object Button278: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 278'
    end
    object CheckBox279: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 279'
    end
    object RadioButton280: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 280'
    end
  end
  object GroupBox15: TGroupBox
    Left = 1284
    Top = 660
    Width = 312
    Height = 320
    Caption = 'Group 15'
    object Label281: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 281'
    end
    object Edit282: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 282'
    end
    object Button283: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 283'
    end
    object CheckBox284: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 284'
    end
    object RadioButton285: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 285'
    end
    object Label286: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 286'
    end
    object Edit287: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 287'
    end
    object Button288: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 288'
    end
    object CheckBox289: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 289'
    end
    object RadioButton290: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 290'
    end
    object Label291: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 291'
    end
    object Edit292: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 292'
    end
    object Button293: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 293'
    end
    object CheckBox294: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 294'
    end
    object RadioButton295: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 295'
    end
    object Label296: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 296'
    end
    object Edit297: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 297'
    end
    object Button298: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 298'
    end
    object CheckBox299: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 299'
    end
    object RadioButton300: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 300'
    end
  end
  object GroupBox16: TGroupBox
    Left = 4
    Top = 988
    Width = 312
    Height = 320
    Caption = 'Group 16'
    object Label301: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 301'
    end
    object Edit302: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 302'
    end
    object Button303: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 303'
    end
    object CheckBox304: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 304'
    end
    object RadioButton305: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 305'
    end
    object Label306: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 306'
    end
    object Edit307: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 307'
    end
    object Button308: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 308'
    end
    object CheckBox309: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 309'
    end
    object RadioButton310: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 310'
    end
    object Label311: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 311'
    end
    object Edit312: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 312'
    end
    object Button313: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 313'
    end
    object CheckBox314: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 314'
    end
    object RadioButton315: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 315'
    end
    object Label316: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 316'
    end
    object Edit317: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 317'
    end
    object Button318: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 318'
    end
    object CheckBox319: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 319'
    end
    object RadioButton320: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 320'
    end
  end
  object GroupBox17: TGroupBox
    Left = 324
    Top = 988
    Width = 312
    Height = 320
    Caption = 'Group 17'
    object Label321: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 321'
    end
    object Edit322: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 322'
    end
    object Button323: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 323'
    end
    object CheckBox324: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 324'
    end
    object RadioButton325: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 325'
    end
    object Label326: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 326'
    end
    object Edit327: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 327'
    end
    object Button328: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 328'
    end
    object CheckBox329: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 329'
    end
    object RadioButton330: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 330'
    end
    object Label331: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 331'
    end
    object Edit332: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 332'
    end
    object Button333: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 333'
    end
    object CheckBox334: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 334'
    end
    object RadioButton335: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 335'
    end
    object Label336: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 336'
    end
    object Edit337: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 337'
    end
    object Button338: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 338'
    end
    object CheckBox339: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 339'
    end
    object RadioButton340: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 340'
    end
  end
  object GroupBox18: TGroupBox
    Left = 644
    Top = 988
    Width = 312
    Height = 320
    Caption = 'Group 18'
    object Label341: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 341'
    end
    object Edit342: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 342'
    end
    object Button343: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 343'
    end
    object CheckBox344: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 344'
    end
    object RadioButton345: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 345'
    end
    object Label346: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 346'
    end
    object Edit347: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 347'
    end
    object Button348: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 348'
    end
    object CheckBox349: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 349'
    end
    object RadioButton350: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 350'
    end
    object Label351: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 351'
    end
    object Edit352: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 352'
    end
    object Button353: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 353'
    end
    object CheckBox354: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 354'
    end
    object RadioButton355: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 355'
    end
    object Label356: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 356'
    end
    object Edit357: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 357'
    end
    object Button358: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 358'
    end
    object CheckBox359: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 359'
    end
    object RadioButton360: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 360'
    end
  end
  object GroupBox19: TGroupBox
    Left = 964
    Top = 988
    Width = 312
    Height = 320
    Caption = 'Group 19'
    object Label361: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 361'
    end
    object Edit362: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 362'
    end
    object Button363: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 363'
    end
    object CheckBox364: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 364'
    end
    object RadioButton365: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 365'
    end
    object Label366: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 366'
    end
    object Edit367: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 367'
    end
    object Button368: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 368'
    end
    object CheckBox369: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 369'
    end
    object RadioButton370: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 370'
    end
    object Label371: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 371'
    end
    object Edit372: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 372'
    end
    object Button373: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 373'
    end
    object CheckBox374: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 374'
    end
    object RadioButton375: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 375'
    end
    object Label376: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 376'
    end
    object Edit377: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 377'
    end
    object Button378: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 378'
    end
    object CheckBox379: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 379'
    end
    object RadioButton380: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 380'
    end
  end
  object GroupBox20: TGroupBox
    Left = 1284
    Top = 988
    Width = 312
    Height = 320
    Caption = 'Group 20'
    object Label381: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 381'
    end
    object Edit382: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 382'
    end
    object Button383: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 383'
    end
    object CheckBox384: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 384'
    end
    object RadioButton385: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 385'
    end
    object Label386: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 386'
    end
    object Edit387: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 387'
    end
    object Button388: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 388'
    end
    object CheckBox389: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 389'
    end
    object RadioButton390: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 390'
    end
    object Label391: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 391'
    end
    object Edit392: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 392'
    end
    object Button393: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 393'
    end
    object CheckBox394: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 394'
    end
    object RadioButton395: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 395'
    end
    object Label396: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 396'
    end
    object Edit397: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 397'
    end
    object Button398: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 398'
    end
    object CheckBox399: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 399'
    end
    object RadioButton400: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 400'
    end
  end
  object GroupBox21: TGroupBox
    Left = 4
    Top = 1316
    Width = 312
    Height = 320
    Caption = 'Group 21'
    object Label401: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 401'
    end
    object Edit402: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 402'
    end
    object Button403: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 403'
    end
    object CheckBox404: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 404'
    end
    object RadioButton405: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 405'
    end
    object Label406: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 406'
    end
    object Edit407: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 407'
    end
    object Button408: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 408'
    end
    object CheckBox409: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 409'
    end
    object RadioButton410: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 410'
    end
    object Label411: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 411'
    end
    object Edit412: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 412'
    end
    object Button413: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 413'
    end
    object CheckBox414: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 414'
    end
    object RadioButton415: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 415'
    end
    object Label416: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 416'
    end
    object Edit417: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 417'
    end
    object Button418: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 418'
    end
    object CheckBox419: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 419'
    end
    object RadioButton420: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 420'
    end
  end
  object GroupBox22: TGroupBox
    Left = 324
    Top = 1316
    Width = 312
    Height = 320
    Caption = 'Group 22'
    object Label421: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 421'
    end
    object Edit422: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 422'
    end
    object Button423: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 423'
    end
    object CheckBox424: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 424'
    end
    object RadioButton425: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 425'
    end
    object Label426: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 426'
    end
    object Edit427: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 427'
    end
    object Button428: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 428'
    end
    object CheckBox429: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 429'
    end
    object RadioButton430: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 430'
    end
    object Label431: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 431'
    end
    object Edit432: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 432'
    end
    object Button433: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 433'
    end
    object CheckBox434: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 434'
    end
    object RadioButton435: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 435'
    end
    object Label436: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 436'
    end
    object Edit437: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 437'
    end
    object Button438: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 438'
    end
    object CheckBox439: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 439'
    end
    object RadioButton440: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 440'
    end
  end
  object GroupBox23: TGroupBox
    Left = 644
    Top = 1316
    Width = 312
    Height = 320
    Caption = 'Group 23'
    object Label441: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 441'
    end
    object Edit442: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 442'
    end
    object Button443: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 443'
    end
    object CheckBox444: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 444'
    end
    object RadioButton445: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 445'
    end
    object Label446: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 446'
    end
    object Edit447: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 447'
    end
    object Button448: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 448'
    end
    object CheckBox449: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 449'
    end
    object RadioButton450: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 450'
    end
    object Label451: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 451'
    end
    object Edit452: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 452'
    end
    object Button453: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 453'
    end
    object CheckBox454: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 454'
    end
    object RadioButton455: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 455'
    end
    object Label456: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 456'
    end
    object Edit457: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 457'
    end
    object Button458: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 458'
    end
    object CheckBox459: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 459'
    end
    object RadioButton460: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 460'
    end
  end
  object GroupBox24: TGroupBox
    Left = 964
    Top = 1316
    Width = 312
    Height = 320
    Caption = 'Group 24'
    object Label461: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 461'
    end
    object Edit462: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 462'
    end
    object Button463: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 463'
    end
    object CheckBox464: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 464'
    end
    object RadioButton465: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 465'
    end
    object Label466: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 466'
    end
    object Edit467: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 467'
    end
    object Button468: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 468'
    end
    object CheckBox469: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 469'
    end
    object RadioButton470: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 470'
    end
    object Label471: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 471'
    end
    object Edit472: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 472'
    end
    object Button473: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 473'
    end
    object CheckBox474: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 474'
    end
    object RadioButton475: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 475'
    end
    object Label476: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 476'
    end
    object Edit477: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 477'
    end
    object Button478: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 478'
    end
    object CheckBox479: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 479'
    end
    object RadioButton480: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 480'
    end
  end
  object GroupBox25: TGroupBox
    Left = 1284
    Top = 1316
    Width = 312
    Height = 320
    Caption = 'Group 25'
    object Label481: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 481'
    end
    object Edit482: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 482'
    end
    object Button483: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 483'
    end
    object CheckBox484: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 484'
    end
    object RadioButton485: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 485'
    end
    object Label486: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 486'
    end
    object Edit487: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 487'
    end
    object Button488: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 488'
    end
    object CheckBox489: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 489'
    end
    object RadioButton490: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 490'
    end
    object Label491: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 491'
    end
    object Edit492: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 492'
    end
    object Button493: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 493'
    end
    object CheckBox494: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 494'
    end
    object RadioButton495: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 495'
    end
    object Label496: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 496'
    end
    object Edit497: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 497'
    end
    object Button498: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 498'
    end
    object CheckBox499: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 499'
    end
    object RadioButton500: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 500'
    end
  end
  object GroupBox26: TGroupBox
    Left = 4
    Top = 1644
    Width = 312
    Height = 320
    Caption = 'Group 26'
    object Label501: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 501'
    end
    object Edit502: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 502'
    end
    object Button503: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 503'
    end
    object CheckBox504: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 504'
    end
    object RadioButton505: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 505'
    end
    object Label506: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 506'
    end
    object Edit507: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 507'
    end
    object Button508: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 508'
    end
    object CheckBox509: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 509'
    end
    object RadioButton510: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 510'
    end
    object Label511: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 511'
    end
    object Edit512: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 512'
    end
    object Button513: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 513'
    end
    object CheckBox514: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 514'
    end
    object RadioButton515: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 515'
    end
    object Label516: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 516'
    end
    object Edit517: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 517'
    end
    object Button518: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 518'
    end
    object CheckBox519: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 519'
    end
    object RadioButton520: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 520'
    end
  end
  object GroupBox27: TGroupBox
    Left = 324
    Top = 1644
    Width = 312
    Height = 320
    Caption = 'Group 27'
    object Label521: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 521'
    end
    object Edit522: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 522'
    end
    object Button523: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 523'
    end
    object CheckBox524: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 524'
    end
    object RadioButton525: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 525'
    end
    object Label526: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 526'
    end
    object Edit527: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 527'
    end
    object Button528: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 528'
    end
    object CheckBox529: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 529'
    end
    object RadioButton530: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 530'
    end
    object Label531: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 531'
    end
    object Edit532: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 532'
    end
    object Button533: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 533'
    end
    object CheckBox534: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 534'
    end
    object RadioButton535: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 535'
    end
    object Label536: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 536'
    end
    object Edit537: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 537'
    end
    object Button538: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 538'
    end
    object CheckBox539: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 539'
    end
    object RadioButton540: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 540'
    end
  end
  object GroupBox28: TGroupBox
    Left = 644
    Top = 1644
    Width = 312
    Height = 320
    Caption = 'Group 28'
    object Label541: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 541'
    end
    object Edit542: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 542'
    end
    object Button543: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 543'
    end
    object CheckBox544: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 544'
    end
    object RadioButton545: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 545'
    end
    object Label546: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 546'
    end
    object Edit547: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 547'
    end
    object Button548: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 548'
    end
    object CheckBox549: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 549'
    end
    object RadioButton550: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 550'
    end
    object Label551: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 551'
    end
    object Edit552: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 552'
    end
    object Button553: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 553'
    end
    object CheckBox554: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 554'
    end
    object RadioButton555: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 555'
    end
    object Label556: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 556'
    end
    object Edit557: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 557'
    end
    object Button558: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 558'
    end
    object CheckBox559: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 559'
    end
    object RadioButton560: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 560'
    end
  end
  object GroupBox29: TGroupBox
    Left = 964
    Top = 1644
    Width = 312
    Height = 320
    Caption = 'Group 29'
    object Label561: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 561'
    end
    object Edit562: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 562'
    end
    object Button563: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 563'
    end
    object CheckBox564: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 564'
    end
    object RadioButton565: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 565'
    end
    object Label566: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 566'
    end
    object Edit567: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 567'
    end
    object Button568: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 568'
    end
    object CheckBox569: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 569'
    end
    object RadioButton570: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 570'
    end
    object Label571: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 571'
    end
    object Edit572: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 572'
    end
    object Button573: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 573'
    end
    object CheckBox574: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 574'
    end
    object RadioButton575: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 575'
    end
    object Label576: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 576'
    end
    object Edit577: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 577'
    end
    object Button578: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 578'
    end
    object CheckBox579: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 579'
    end
    object RadioButton580: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 580'
    end
  end
  object GroupBox30: TGroupBox
    Left = 1284
    Top = 1644
    Width = 312
    Height = 320
    Caption = 'Group 30'
    object Label581: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 581'
    end
    object Edit582: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 582'
    end
    object Button583: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 583'
    end
    object CheckBox584: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 584'
    end
    object RadioButton585: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 585'
    end
    object Label586: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 586'
    end
    object Edit587: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 587'
    end
    object Button588: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 588'
    end
    object CheckBox589: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 589'
    end
    object RadioButton590: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 590'
    end
    object Label591: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 591'
    end
    object Edit592: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 592'
    end
    object Button593: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 593'
    end
    object CheckBox594: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 594'
    end
    object RadioButton595: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 595'
    end
    object Label596: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 596'
    end
    object Edit597: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 597'
    end
    object Button598: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 598'
    end
    object CheckBox599: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 599'
    end
    object RadioButton600: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 600'
    end
  end
  object GroupBox31: TGroupBox
    Left = 4
    Top = 1972
    Width = 312
    Height = 320
    Caption = 'Group 31'
    object Label601: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 601'
    end
    object Edit602: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 602'
    end
    object Button603: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 603'
    end
    object CheckBox604: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 604'
    end
    object RadioButton605: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 605'
    end
    object Label606: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 606'
    end
    object Edit607: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 607'
    end
    object Button608: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 608'
    end
    object CheckBox609: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 609'
    end
    object RadioButton610: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 610'
    end
    object Label611: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 611'
    end
    object Edit612: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 612'
    end
    object Button613: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 613'
    end
    object CheckBox614: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 614'
    end
    object RadioButton615: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 615'
    end
    object Label616: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 616'
    end
    object Edit617: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 617'
    end
    object Button618: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 618'
    end
    object CheckBox619: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 619'
    end
    object RadioButton620: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 620'
    end
  end
  object GroupBox32: TGroupBox
    Left = 324
    Top = 1972
    Width = 312
    Height = 320
    Caption = 'Group 32'
    object Label621: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 621'
    end
    object Edit622: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 622'
    end
    object Button623: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 623'
    end
    object CheckBox624: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 624'
    end
    object RadioButton625: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 625'
    end
    object Label626: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 626'
    end
    object Edit627: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 627'
    end
    object Button628: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 628'
    end
    object CheckBox629: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 629'
    end
    object RadioButton630: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 630'
    end
    object Label631: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 631'
    end
    object Edit632: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 632'
    end
    object Button633: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 633'
    end
    object CheckBox634: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 634'
    end
    object RadioButton635: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 635'
    end
    object Label636: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 636'
    end
    object Edit637: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 637'
    end
    object Button638: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 638'
    end
    object CheckBox639: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 639'
    end
    object RadioButton640: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 640'
    end
  end
  object GroupBox33: TGroupBox
    Left = 644
    Top = 1972
    Width = 312
    Height = 320
    Caption = 'Group 33'
    object Label641: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 641'
    end
    object Edit642: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 642'
    end
    object Button643: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 643'
    end
    object CheckBox644: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 644'
    end
    object RadioButton645: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 645'
    end
    object Label646: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 646'
    end
    object Edit647: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 647'
    end
    object Button648: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 648'
    end
    object CheckBox649: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 649'
    end
    object RadioButton650: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 650'
    end
    object Label651: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 651'
    end
    object Edit652: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 652'
    end
    object Button653: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 653'
    end
    object CheckBox654: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 654'
    end
    object RadioButton655: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 655'
    end
    object Label656: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 656'
    end
    object Edit657: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 657'
    end
    object Button658: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 658'
    end
    object CheckBox659: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 659'
    end
    object RadioButton660: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 660'
    end
  end
  object GroupBox34: TGroupBox
    Left = 964
    Top = 1972
    Width = 312
    Height = 320
    Caption = 'Group 34'
    object Label661: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 661'
    end
    object Edit662: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 662'
    end
    object Button663: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 663'
    end
    object CheckBox664: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 664'
    end
    object RadioButton665: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 665'
    end
    object Label666: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 666'
    end
    object Edit667: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 667'
    end
    object Button668: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 668'
    end
    object CheckBox669: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 669'
    end
    object RadioButton670: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 670'
    end
    object Label671: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 671'
    end
    object Edit672: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 672'
    end
    object Button673: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 673'
    end
    object CheckBox674: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 674'
    end
    object RadioButton675: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 675'
    end
    object Label676: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 676'
    end
    object Edit677: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 677'
    end
    object Button678: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 678'
    end
    object CheckBox679: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 679'
    end
    object RadioButton680: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 680'
    end
  end
  object GroupBox35: TGroupBox
    Left = 1284
    Top = 1972
    Width = 312
    Height = 320
    Caption = 'Group 35'
    object Label681: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 681'
    end
    object Edit682: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 682'
    end
    object Button683: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 683'
    end
    object CheckBox684: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 684'
    end
    object RadioButton685: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 685'
    end
    object Label686: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 686'
    end
    object Edit687: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 687'
    end
    object Button688: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 688'
    end
    object CheckBox689: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 689'
    end
    object RadioButton690: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 690'
    end
    object Label691: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 691'
    end
    object Edit692: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 692'
    end
    object Button693: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 693'
    end
    object CheckBox694: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 694'
    end
    object RadioButton695: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 695'
    end
    object Label696: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 696'
    end
    object Edit697: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 697'
    end
    object Button698: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 698'
    end
    object CheckBox699: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 699'
    end
    object RadioButton700: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 700'
    end
  end
  object GroupBox36: TGroupBox
    Left = 4
    Top = 2300
    Width = 312
    Height = 320
    Caption = 'Group 36'
    object Label701: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 701'
    end
    object Edit702: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 702'
    end
    object Button703: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 703'
    end
    object CheckBox704: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 704'
    end
    object RadioButton705: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 705'
    end
    object Label706: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 706'
    end
    object Edit707: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 707'
    end
    object Button708: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 708'
    end
    object CheckBox709: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 709'
    end
    object RadioButton710: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 710'
    end
    object Label711: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 711'
    end
    object Edit712: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 712'
    end
    object Button713: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 713'
    end
    object CheckBox714: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 714'
    end
    object RadioButton715: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 715'
    end
    object Label716: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 716'
    end
    object Edit717: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 717'
    end
    object Button718: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 718'
    end
    object CheckBox719: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 719'
    end
    object RadioButton720: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 720'
    end
  end
  object GroupBox37: TGroupBox
    Left = 324
    Top = 2300
    Width = 312
    Height = 320
    Caption = 'Group 37'
    object Label721: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 721'
    end
    object Edit722: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 722'
    end
    object Button723: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 723'
    end
    object CheckBox724: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 724'
    end
    object RadioButton725: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 725'
    end
    object Label726: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 726'
    end
    object Edit727: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 727'
    end
    object Button728: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 728'
    end
    object CheckBox729: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 729'
    end
    object RadioButton730: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 730'
    end
    object Label731: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 731'
    end
    object Edit732: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 732'
    end
    object Button733: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 733'
    end
    object CheckBox734: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 734'
    end
    object RadioButton735: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 735'
    end
    object Label736: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 736'
    end
    object Edit737: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 737'
    end
    object Button738: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 738'
    end
    object CheckBox739: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 739'
    end
    object RadioButton740: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 740'
    end
  end
  object GroupBox38: TGroupBox
    Left = 644
    Top = 2300
    Width = 312
    Height = 320
    Caption = 'Group 38'
    object Label741: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 741'
    end
    object Edit742: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 742'
    end
    object Button743: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 743'
    end
    object CheckBox744: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 744'
    end
    object RadioButton745: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 745'
    end
    object Label746: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 746'
    end
    object Edit747: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 747'
    end
    object Button748: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 748'
    end
    object CheckBox749: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 749'
    end
    object RadioButton750: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 750'
    end
    object Label751: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 751'
    end
    object Edit752: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 752'
    end
    object Button753: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 753'
    end
    object CheckBox754: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 754'
    end
    object RadioButton755: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 755'
    end
    object Label756: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 756'
    end
    object Edit757: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 757'
    end
    object Button758: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 758'
    end
    object CheckBox759: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 759'
    end
    object RadioButton760: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 760'
    end
  end
  object GroupBox39: TGroupBox
    Left = 964
    Top = 2300
    Width = 312
    Height = 320
    Caption = 'Group 39'
    object Label761: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 761'
    end
    object Edit762: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 762'
    end
    object Button763: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 763'
    end
    object CheckBox764: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 764'
    end
    object RadioButton765: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 765'
    end
    object Label766: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 766'
    end
    object Edit767: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 767'
    end
    object Button768: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 768'
    end
    object CheckBox769: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 769'
    end
    object RadioButton770: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 770'
    end
    object Label771: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 771'
    end
    object Edit772: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 772'
    end
    object Button773: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 773'
    end
    object CheckBox774: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 774'
    end
    object RadioButton775: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 775'
    end
    object Label776: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 776'
    end
    object Edit777: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 777'
    end
    object Button778: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 778'
    end
    object CheckBox779: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 779'
    end
    object RadioButton780: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 780'
    end
  end
  object GroupBox40: TGroupBox
    Left = 1284
    Top = 2300
    Width = 312
    Height = 320
    Caption = 'Group 40'
    object Label781: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 781'
    end
    object Edit782: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 782'
    end
    object Button783: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 783'
    end
    object CheckBox784: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 784'
    end
    object RadioButton785: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 785'
    end
    object Label786: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 786'
    end
    object Edit787: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 787'
    end
    object Button788: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 788'
    end
    object CheckBox789: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 789'
    end
    object RadioButton790: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 790'
    end
    object Label791: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 791'
    end
    object Edit792: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 792'
    end
    object Button793: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 793'
    end
    object CheckBox794: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 794'
    end
    object RadioButton795: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 795'
    end
    object Label796: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 796'
    end
    object Edit797: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 797'
    end
    object Button798: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 798'
    end
    object CheckBox799: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 799'
    end
    object RadioButton800: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 800'
    end
  end
  object GroupBox41: TGroupBox
    Left = 4
    Top = 2628
    Width = 312
    Height = 320
    Caption = 'Group 41'
    object Label801: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 801'
    end
    object Edit802: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 802'
    end
    object Button803: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 803'
    end
    object CheckBox804: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 804'
    end
    object RadioButton805: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 805'
    end
    object Label806: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 806'
    end
    object Edit807: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 807'
    end
    object Button808: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 808'
    end
    object CheckBox809: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 809'
    end
    object RadioButton810: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 810'
    end
    object Label811: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 811'
    end
    object Edit812: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 812'
    end
    object Button813: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 813'
    end
    object CheckBox814: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 814'
    end
    object RadioButton815: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 815'
    end
    object Label816: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 816'
    end
    object Edit817: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 817'
    end
    object Button818: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 818'
    end
    object CheckBox819: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 819'
    end
    object RadioButton820: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 820'
    end
  end
  object GroupBox42: TGroupBox
    Left = 324
    Top = 2628
    Width = 312
    Height = 320
    Caption = 'Group 42'
    object Label821: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 821'
    end
    object Edit822: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 822'
    end
    object Button823: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 823'
    end
    object CheckBox824: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 824'
    end
    object RadioButton825: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 825'
    end
    object Label826: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 826'
    end
    object Edit827: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 827'
    end
    object Button828: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 828'
    end
    object CheckBox829: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 829'
    end
    object RadioButton830: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 830'
    end
    object Label831: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 831'
    end
    object Edit832: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 832'
    end
    object Button833: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 833'
    end
    object CheckBox834: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 834'
    end
    object RadioButton835: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 835'
    end
    object Label836: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 836'
    end
    object Edit837: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 837'
    end
    object Button838: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 838'
    end
    object CheckBox839: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 839'
    end
    object RadioButton840: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 840'
    end
  end
  object GroupBox43: TGroupBox
    Left = 644
    Top = 2628
    Width = 312
    Height = 320
    Caption = 'Group 43'
    object Label841: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 841'
    end
    object Edit842: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 842'
    end
    object Button843: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 843'
    end
    object CheckBox844: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 844'
    end
    object RadioButton845: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 845'
    end
    object Label846: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 846'
    end
    object Edit847: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 847'
    end
    object Button848: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 848'
    end
    object CheckBox849: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 849'
    end
    object RadioButton850: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 850'
    end
    object Label851: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 851'
    end
    object Edit852: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 852'
    end
    object Button853: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 853'
    end
    object CheckBox854: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 854'
    end
    object RadioButton855: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 855'
    end
    object Label856: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 856'
    end
    object Edit857: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 857'
    end
    object Button858: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 858'
    end
    object CheckBox859: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 859'
    end
    object RadioButton860: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 860'
    end
  end
  object GroupBox44: TGroupBox
    Left = 964
    Top = 2628
    Width = 312
    Height = 320
    Caption = 'Group 44'
    object Label861: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 861'
    end
    object Edit862: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 862'
    end
    object Button863: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 863'
    end
    object CheckBox864: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 864'
    end
    object RadioButton865: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 865'
    end
    object Label866: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 866'
    end
    object Edit867: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 867'
    end
    object Button868: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 868'
    end
    object CheckBox869: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 869'
    end
    object RadioButton870: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 870'
    end
    object Label871: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 871'
    end
    object Edit872: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 872'
    end
    object Button873: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 873'
    end
    object CheckBox874: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 874'
    end
    object RadioButton875: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 875'
    end
    object Label876: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 876'
    end
    object Edit877: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 877'
    end
    object Button878: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 878'
    end
    object CheckBox879: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 879'
    end
    object RadioButton880: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 880'
    end
  end
  object GroupBox45: TGroupBox
    Left = 1284
    Top = 2628
    Width = 312
    Height = 320
    Caption = 'Group 45'
    object Label881: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 881'
    end
    object Edit882: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 882'
    end
    object Button883: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 883'
    end
    object CheckBox884: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 884'
    end
    object RadioButton885: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 885'
    end
    object Label886: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 886'
    end
    object Edit887: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 887'
    end
    object Button888: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 888'
    end
    object CheckBox889: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 889'
    end
    object RadioButton890: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 890'
    end
    object Label891: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 891'
    end
    object Edit892: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 892'
    end
    object Button893: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 893'
    end
    object CheckBox894: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 894'
    end
    object RadioButton895: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 895'
    end
    object Label896: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 896'
    end
    object Edit897: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 897'
    end
    object Button898: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 898'
    end
    object CheckBox899: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 899'
    end
    object RadioButton900: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 900'
    end
  end
  object GroupBox46: TGroupBox
    Left = 4
    Top = 2956
    Width = 312
    Height = 320
    Caption = 'Group 46'
    object Label901: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 901'
    end
    object Edit902: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 902'
    end
    object Button903: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 903'
    end
    object CheckBox904: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 904'
    end
    object RadioButton905: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 905'
    end
    object Label906: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 906'
    end
    object Edit907: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 907'
    end
    object Button908: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 908'
    end
    object CheckBox909: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 909'
    end
    object RadioButton910: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 910'
    end
    object Label911: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 911'
    end
    object Edit912: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 912'
    end
    object Button913: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 913'
    end
    object CheckBox914: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 914'
    end
    object RadioButton915: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 915'
    end
    object Label916: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 916'
    end
    object Edit917: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 917'
    end
    object Button918: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 918'
    end
    object CheckBox919: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 919'
    end
    object RadioButton920: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 920'
    end
  end
  object GroupBox47: TGroupBox
    Left = 324
    Top = 2956
    Width = 312
    Height = 320
    Caption = 'Group 47'
    object Label921: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 921'
    end
    object Edit922: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 922'
    end
    object Button923: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 923'
    end
    object CheckBox924: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 924'
    end
    object RadioButton925: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 925'
    end
    object Label926: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 926'
    end
    object Edit927: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 927'
    end
    object Button928: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 928'
    end
    object CheckBox929: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 929'
    end
    object RadioButton930: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 930'
    end
    object Label931: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 931'
    end
    object Edit932: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 932'
    end
    object Button933: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 933'
    end
    object CheckBox934: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 934'
    end
    object RadioButton935: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 935'
    end
    object Label936: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 936'
    end
    object Edit937: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 937'
    end
    object Button938: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 938'
    end
    object CheckBox939: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 939'
    end
    object RadioButton940: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 940'
    end
  end
  object GroupBox48: TGroupBox
    Left = 644
    Top = 2956
    Width = 312
    Height = 320
    Caption = 'Group 48'
    object Label941: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 941'
    end
    object Edit942: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 942'
    end
    object Button943: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 943'
    end
    object CheckBox944: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 944'
    end
    object RadioButton945: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 945'
    end
    object Label946: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 946'
    end
    object Edit947: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 947'
    end
    object Button948: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 948'
    end
    object CheckBox949: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 949'
    end
    object RadioButton950: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 950'
    end
    object Label951: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 951'
    end
    object Edit952: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 952'
    end
    object Button953: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 953'
    end
    object CheckBox954: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 954'
    end
    object RadioButton955: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 955'
    end
    object Label956: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 956'
    end
    object Edit957: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 957'
    end
    object Button958: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 958'
    end
    object CheckBox959: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 959'
    end
    object RadioButton960: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 960'
    end
  end
  object GroupBox49: TGroupBox
    Left = 964
    Top = 2956
    Width = 312
    Height = 320
    Caption = 'Group 49'
    object Label961: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 961'
    end
    object Edit962: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 962'
    end
    object Button963: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 963'
    end
    object CheckBox964: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 964'
    end
    object RadioButton965: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 965'
    end
    object Label966: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 966'
    end
    object Edit967: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 967'
    end
    object Button968: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 968'
    end
    object CheckBox969: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 969'
    end
    object RadioButton970: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 970'
    end
    object Label971: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 971'
    end
    object Edit972: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 972'
    end
    object Button973: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 973'
    end
    object CheckBox974: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 974'
    end
    object RadioButton975: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 975'
    end
    object Label976: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 976'
    end
    object Edit977: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 977'
    end
    object Button978: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 978'
    end
    object CheckBox979: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 979'
    end
    object RadioButton980: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 980'
    end
  end
  object GroupBox50: TGroupBox
    Left = 1284
    Top = 2956
    Width = 312
    Height = 320
    Caption = 'Group 50'
    object Label981: TLabel
      Left = 10
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 981'
    end
    object Edit982: TEdit
      Left = 10
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 982'
    end
    object Button983: TButton
      Left = 10
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 983'
    end
    object CheckBox984: TCheckBox
      Left = 10
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 984'
    end
    object RadioButton985: TRadioButton
      Left = 10
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 985'
    end
    object Label986: TLabel
      Left = 10
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 986'
    end
    object Edit987: TEdit
      Left = 10
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 987'
    end
    object Button988: TButton
      Left = 10
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 988'
    end
    object CheckBox989: TCheckBox
      Left = 10
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 989'
    end
    object RadioButton990: TRadioButton
      Left = 10
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 990'
    end
    object Label991: TLabel
      Left = 160
      Top = 20
      Width = 140
      Height = 13
      Caption = 'TLabel 991'
    end
    object Edit992: TEdit
      Left = 160
      Top = 50
      Width = 140
      Height = 21
      Text = 'Edit 992'
    end
    object Button993: TButton
      Left = 160
      Top = 80
      Width = 140
      Height = 21
      Caption = 'TButton 993'
    end
    object CheckBox994: TCheckBox
      Left = 160
      Top = 110
      Width = 140
      Height = 21
      Caption = 'TCheckBox 994'
    end
    object RadioButton995: TRadioButton
      Left = 160
      Top = 140
      Width = 140
      Height = 21
      Caption = 'TRadioButton 995'
    end
    object Label996: TLabel
      Left = 160
      Top = 170
      Width = 140
      Height = 13
      Caption = 'TLabel 996'
    end
    object Edit997: TEdit
      Left = 160
      Top = 200
      Width = 140
      Height = 21
      Text = 'Edit 997'
    end
    object Button998: TButton
      Left = 160
      Top = 230
      Width = 140
      Height = 21
      Caption = 'TButton 998'
    end
    object CheckBox999: TCheckBox
      Left = 160
      Top = 260
      Width = 140
      Height = 21
      Caption = 'TCheckBox 999'
    end
    object RadioButton1000: TRadioButton
      Left = 160
      Top = 290
      Width = 140
      Height = 21
      Caption = 'TRadioButton 1000'
    end
  end
end
